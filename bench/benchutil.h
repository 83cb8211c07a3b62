#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <functional>

// Milliseconds taken by one run of work.
double timeMs(const std::function<void()>& work);
double median(QList<double> values);
// One line: what, our figure, the baseline's, the ratio, and the target.
void report(const QString& what, double ours, double baseline, double target,
            const QString& unit = QStringLiteral("ms"));
// A photo-like picture (gradients, shapes and grain) that compresses like a scan.
QImage photoLikePicture(QSize size, int seed);
// Peak resident memory of this process so far, in kB.
qint64 peakMemoryKb();

#include "scriptedmessageboxes.h"
#include "shell/appstate.h"
#include "shell/form1.h"

#include <QTemporaryDir>
#include <memory>

// A main window on a medium in drive D: whose ads the benchmark writes.
struct BenchViewer {
    BenchViewer();
    QTemporaryDir dir;
    QString medium;
    AppState app;
    std::unique_ptr<Form1> form;
    // Writes ad n of a year as a photo-like JPEG; returns its path.
    QString writeAd(int year, int n, QSize size, int seed);
    void show();
};
