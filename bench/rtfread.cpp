// Reading a 1 MB RTF document with our reader, against Qt reading the same
// document as HTML (what Qt itself writes of the document we made).
#include "benchutil.h"
#include "demo_medium.h"
#include "rtf/rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>

namespace {

// About 1 MB of the kind of RTF the medium holds: formatted paragraphs, the
// checklist's table, special characters and code-page escapes.
QByteArray largeRtf() {
    const QByteArray list = demo::adsListRtf();
    const QByteArray notice = demo::noticeRtf();
    const qsizetype listStart = list.indexOf("\\paperw");
    const qsizetype noticeStart = notice.indexOf("\\pard");
    const QByteArray listBody = list.mid(listStart, list.lastIndexOf('}') - listStart);
    const QByteArray noticeBody = notice.mid(noticeStart, notice.lastIndexOf('}') - noticeStart);
    QByteArray rtf = list.left(listStart);
    while (rtf.size() < 1024 * 1024) {
        rtf += listBody;
        for (int i = 0; i < 8; ++i)
            rtf += noticeBody;
    }
    return rtf + "}";
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QByteArray rtf = largeRtf();
    QString html;
    {
        QTextDocument doc;
        rtf::readRtf(rtf, doc);
        html = doc.toHtml();
    }
    QList<double> ours, base;
    const int runs = workload(7, 2);
    for (int i = 0; i < runs; ++i) {
        ours << timeMs([&] {
            QTextDocument doc;
            rtf::readRtf(rtf, doc);
        });
        base << timeMs([&] {
            QTextDocument doc;
            doc.setHtml(html);
        });
    }
    report(QStringLiteral("RTF reader, %1 KB document (median of %2)")
               .arg(rtf.size() / 1024)
               .arg(runs),
           median(ours), median(base), 1.0);
    // The reader's own promise: a 1 MB document in well under a second.
    report(QStringLiteral("RTF reader, 1 MB document, against one second"), median(ours), 1000,
           0.5);
    return benchExit();
}
