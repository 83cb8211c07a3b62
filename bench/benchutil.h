#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <functional>

// Milliseconds taken by one run of work.
double timeMs(const std::function<void()>& work);
double median(QList<double> values);
// Set KESTRUN_BENCH_QUICK to run a tiny workload: the benchmark only has to
// run to its end and print its rows; its figures mean nothing then.
bool quickMode();
// A count of repetitions or files: the full one, or the quick one.
int workload(int full, int quick);
// One line: what, our figure, the baseline's, the ratio, and the target.
// A figure or baseline that is zero, negative or not a number is no
// measurement: the line says FAILED and the benchmark fails.
void report(const QString& what, double ours, double baseline, double target,
            const QString& unit = QStringLiteral("ms"));
// One line for a figure with a bound of its own: ours, the baseline's, their
// ratio, and whether ours is within the bound.
void reportBound(const QString& what, double ours, double baseline, double bound,
                 const QString& unit = QStringLiteral("ms"));
// Marks the benchmark failed, saying why (a child process that did not end
// cleanly, work that went wrong).
void benchFailed(const QString& why);
// What main() returns: 0 only when rows were reported and none failed.
int benchExit();
// Runs the event loop for this long, as a user's pause does.
void pause(int ms);
// A photo-like picture (gradients, shapes and grain) that compresses like a scan.
QImage photoLikePicture(QSize size, int seed);
// Peak resident memory of this process so far, in kB.
qint64 peakMemoryKb();

#include "media/slowvolume.h"
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
    QString writeAd(int year, int n, QSize size, int seed, int quality = 90);
    // The medium behind a drive of this speed; nullopt: read from the page cache.
    void setMediumSpeed(std::optional<SlowVolume::Speed> speed);
    void show();
};

// The work of one navigation step as the user sees it, the step and the
// repaint of the picture, in ms; then the look-ahead is let finish, as in a
// user's long pause.
double settledStepMs(Form1& form, const std::function<void()>& step);
