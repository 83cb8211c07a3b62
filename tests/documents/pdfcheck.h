#pragma once

#include <QFile>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

// What a printed PDF holds: pages, and words with their boxes in points.
struct PdfWord {
    int page = 0;
    QRectF box; // points from the paper's top left corner
    QString text;
};

// Pages of a PDF: pdfinfo when it is installed, else the page objects.
inline int pdfPageCount(const QString& path) {
    if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {path});
        if (p.waitForFinished(30000) && p.exitCode() == 0) {
            const QString out = QString::fromUtf8(p.readAllStandardOutput());
            const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
            if (m.hasMatch())
                return m.captured(1).toInt();
        }
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll())
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

inline bool havePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The words of a PDF with their boxes (pdftotext -bbox).
inline QList<PdfWord> pdfWords(const QString& path, QSizeF* pageSize = nullptr) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    QList<PdfWord> words;
    if (!p.waitForFinished(30000))
        return words;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int pageNo = -1;
    qsizetype pos = 0;
    for (;;) {
        const auto pm = page.match(html, pos);
        const auto wm = word.match(html, pos);
        if (pm.hasMatch() && (!wm.hasMatch() || pm.capturedStart() < wm.capturedStart())) {
            ++pageNo;
            if (pageSize)
                *pageSize = QSizeF(pm.captured(1).toDouble(), pm.captured(2).toDouble());
            pos = pm.capturedEnd();
        } else if (wm.hasMatch()) {
            PdfWord w;
            w.page = qMax(0, pageNo);
            w.box = QRectF(QPointF(wm.captured(1).toDouble(), wm.captured(2).toDouble()),
                           QPointF(wm.captured(3).toDouble(), wm.captured(4).toDouble()));
            w.text = wm.captured(5);
            words << w;
            pos = wm.capturedEnd();
        } else {
            break;
        }
    }
    return words;
}
