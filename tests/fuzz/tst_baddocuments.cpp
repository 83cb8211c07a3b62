// Hostile RTF documents on the medium, opened through the real document
// commands of the main window: a document that is not RTF gives the command's
// missing-media prompt and no viewer; anything else opens the viewer, which
// closes and prints like any other, and nothing crashes, hangs or stays busy.
#include "browser.h"
#include "documents/richtextbox.h"
#include "documents/txtform.h"
#include "pdfcheck.h"
#include "platform/msgboxstyle.h"
#include "platform/printer.h"
#include "rtf/rtfreader.h"
#include "testpng.h"
#include "widgets/button3d.h"

#include <QApplication>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

class TestBadDocuments : public QObject {
    Q_OBJECT
private slots:
    void hostileDocument_data();
    void hostileDocument();
    void tooLargeFile();
    void folderInPlaceOfTheFile();
};

namespace {

const QByteArray Header = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}";
// A 2 x 2 PNG, as RTF writes pictures: hexadecimal digits.
const QByteArray TinyPngHex = tinyPng().toHex();

QByteArray randomBytes(int n, quint32 seed) {
    QByteArray out(n, '\0');
    QRandomGenerator rng(seed);
    for (char& c : out)
        c = char(rng.generate());
    return out;
}

QByteArray document(const QByteArray& body) {
    return Header + body + "}";
}

// A table nested `depth` levels deep, one cell on each level.
QByteArray nestedTables(int depth) {
    QByteArray out = "\\trowd\\cellx3000 ";
    for (int level = 1; level <= depth; ++level)
        out += "\\intbl\\itap" + QByteArray::number(level) + " level\\par ";
    for (int level = depth; level > 1; --level)
        out += "\\itap" + QByteArray::number(level) +
               " x\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow} ";
    return out + "\\itap1 y\\cell\\row ";
}

// The main window on a medium in D:, whose three documents are one text.
struct DocumentBrowser : Browser {
    QString pdf;

    explicit DocumentBrowser(const QByteArray& bytes) {
        addAds(1964, {0});
        QDir(medium).mkpath(QStringLiteral("RichText"));
        for (const char* name : {"KestrunAdsList.rtf", "notice.rtf", "Register.rtf"})
            writeDocument(QLatin1String(name), bytes);
        pdf = env.root() + QStringLiteral("/printed.pdf");
        auto printer = std::make_shared<PrinterService>();
        printer->setOutputPdf(pdf);
        app().platform.printer = printer;
        start();
    }

    void writeDocument(const QString& name, const QByteArray& bytes) {
        QFile f(medium + QStringLiteral("/RichText/") + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
};

// What a document command showed.
struct Shown {
    bool viewer = false;
    QString caption;
    QString text;
    QList<MessageCall> messages; // the boxes shown while the command ran
};

// Runs a document command as the user would: "Ads List" is clicked on the
// menu bar, the Help menu's commands are chosen from it. When the viewer
// comes up, `inViewer` runs in it and then OK closes it.
Shown runCommand(DocumentBrowser& b, QAction* command,
                 const std::function<void(txtForm&)>& inViewer = {}) {
    Shown shown;
    const int before = b.env.messages().calls.size();
    // The viewer is modal: the command returns only once it is closed, so it
    // is looked for from a timer while the command runs.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* viewer = qobject_cast<txtForm*>(QApplication::activeModalWidget());
        if (!viewer || !viewer->isVisible())
            return;
        poll.stop();
        shown.viewer = true;
        shown.caption = viewer->windowTitle();
        shown.text = viewer->rtbText->Text();
        if (inViewer)
            inViewer(*viewer);
        QTest::mouseClick(viewer->SSCommand1, Qt::LeftButton);
    });
    poll.start();
    QMenuBar* bar = b.form->menuBar();
    if (command == b.form->mnuList)
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(command).center());
    else
        command->trigger();
    poll.stop();
    shown.messages = b.env.messages().calls.mid(before);
    return shown;
}

} // namespace

void TestBadDocuments::hostileDocument_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("opens");        // false: the command's prompt instead
    QTest::addColumn<QStringList>("shows"); // text the viewer must show

    QTest::newRow("empty") << QByteArray() << false << QStringList();
    QTest::newRow("binary") << randomBytes(70000, 1).replace('{', ' ') << false << QStringList();
    QTest::newRow("text without the opening group")
        << QByteArray("Kestrun Advertising Checklist\r\n") << false << QStringList();
    QTest::newRow("binary after the header")
        << QByteArray("{\\rtf1 ") + randomBytes(70000, 2) << true << QStringList();
    QTest::newRow("nothing but opening braces")
        << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') << true << QStringList();
    QTest::newRow("100000 nested groups") << document("before " + QByteArray(100000, '{') + "deep" +
                                                      QByteArray(100000, '}') + " after\\par")
                                          << true << QStringList{"before", "after"};
    QTest::newRow("100000 nested pictures")
        << document("before" + QByteArray("{\\pict\\pngblip ").repeated(100000) + TinyPngHex +
                    QByteArray(100000, '}') + "after\\par")
        << true << QStringList{"beforeafter"};
    QTest::newRow("\\bin longer than the file")
        << document("before{\\pict\\pngblip\\bin2147483647 " + QByteArray::fromHex(TinyPngHex) +
                    "}after")
        << true << QStringList{"before"};
    QTest::newRow("\\bin with an overflowing count")
        << document("before{\\*\\objdata\\bin99999999999999999999 xyz}after\\par") << true
        << QStringList{"before"};
    QTest::newRow("\\bin with a negative count")
        << document("before{\\*\\objdata\\bin-5 xyz}after\\par") << true << QStringList{"before"};
    QTest::newRow("\\bin of 20 MB")
        << document("before{\\*\\objdata\\bin20000000 " + randomBytes(20000000, 3) + "}after\\par")
        << true << QStringList{"beforeafter"};
    QTest::newRow("huge picture goal and scale")
        << document("before{\\pict\\pngblip\\picw2147483647\\pich2147483647"
                    "\\picwgoal2147483647\\pichgoal2147483647\\picscalex2147483647"
                    "\\picscaley2147483647 " +
                    TinyPngHex + "}after\\par")
        << true << QStringList{"beforeafter"};
    QTest::newRow("negative picture sizes")
        << document("before{\\pict\\pngblip\\picw-2147483648\\pich-1\\picwgoal-99999"
                    "\\pichgoal-1\\picscalex-100 " +
                    TinyPngHex + "}after\\par")
        << true << QStringList{"beforeafter"};
    QTest::newRow("PNG declaring 60000 x 60000")
        << document("before{\\pict\\pngblip " + pngDeclaring(60000, 60000).toHex() + "}after\\par")
        << true << QStringList{"beforeafter"};
    QTest::newRow("PNG declaring 2^31 x 2^31")
        << document("before{\\pict\\pngblip\\picwgoal1440\\pichgoal1440 " +
                    pngDeclaring(0x80000000u, 0x80000000u).toHex() + "}after\\par")
        << true << QStringList{"beforeafter"};
    // Pictures of 22 inches, the largest side shown: 3000 of them lay out
    // 6.3 million pixels high.
    const QByteArray page = "{\\pict\\pngblip\\picwgoal31680\\pichgoal31680 " + TinyPngHex + "}";
    QTest::newRow("3000 pictures of 22 inches")
        << document("before" + page.repeated(3000) + "after\\par") << true
        << QStringList{"beforeafter"};
    // Past about 8.4 million pixels Qt's text layout does not come back:
    // what lies beyond the viewer's height budget is shown without size.
    QTest::newRow("4000 pictures of 22 inches")
        << document("before" + page.repeated(4000) + "after\\par") << true
        << QStringList{"beforeafter"};
    QTest::newRow("tables nested 8 deep, 20 times")
        << document("before" + nestedTables(8).repeated(20) + "after\\par") << true
        << QStringList{"before", "after"};
    // The text layout takes nearly twice as long for each level of nesting:
    // laid out as written, 16 levels 20 times over (27 kB) take minutes.
    QTest::newRow("tables nested 16 deep, 20 times")
        << document("before" + nestedTables(16).repeated(20) + "after\\par") << true
        << QStringList{"before", "level", "after"};
    QTest::newRow("tables nested 40 deep, 60 times")
        << document("before" + nestedTables(40).repeated(60) + "after\\par") << true
        << QStringList{"before", "level", "after"};
}

void TestBadDocuments::hostileDocument() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    QFETCH(QStringList, shows);
    DocumentBrowser b(bytes);
    struct Command {
        QAction* action;
        QString caption;
        QString code;
    };
    const QList<Command> commands{
        {b.form->mnuList, QStringLiteral("Kestrun Advertising Checklist "), "CA001"},
        {b.form->mnuNotice, QStringLiteral("Notice"), "ca001"},
        {b.form->mnuRegister, QStringLiteral("Quillon Software Registration Form"), "CA002"},
    };
    for (const Command& c : commands) {
        b.env.messages().replies = {MsgReply::Retry};
        const Shown shown = runCommand(b, c.action);
        QCOMPARE(shown.viewer, opens);
        if (opens) {
            QCOMPARE(shown.caption, c.caption);
            QVERIFY(shown.messages.isEmpty());
            for (const QString& part : shows)
                QVERIFY2(shown.text.contains(part), qPrintable(shown.text.left(200)));
        } else {
            // The prompt names the command's code; Retry ends the command.
            QCOMPARE(shown.messages.size(), 1);
            QCOMPARE(shown.messages[0].style, MsgStyle::RetryCancel);
            QVERIFY(shown.messages[0].text.startsWith(QStringLiteral("Error number: ") + c.code +
                                                      "\r\n"));
        }
        QVERIFY(b.form->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(b.env.endCount(), 0);
    }
    if (!opens)
        return;

    // The viewer's print button prints whatever the document became.
    b.env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
    const Shown printed = runCommand(b, b.form->mnuList, [](txtForm& viewer) {
        QTest::mouseClick(viewer.cmdprint, Qt::LeftButton);
    });
    QVERIFY(printed.viewer);
    QCOMPARE(printed.messages.size(), 2);
    QCOMPARE(printed.messages[1].text, QStringLiteral("Printing complete!"));
    QVERIFY(pdfPageCount(b.pdf) >= 1);
    QVERIFY(!QApplication::overrideCursor());
}

void TestBadDocuments::tooLargeFile() {
    DocumentBrowser b(document("small"));
    // Larger than any document the viewer reads: refused before it is read.
    QFile f(b.medium + QStringLiteral("/RichText/KestrunAdsList.rtf"));
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.resize(rtf::MaxFileBytes + 1));
    f.close();
    b.env.messages().replies = {MsgReply::Retry};
    const Shown shown = runCommand(b, b.form->mnuList);
    QVERIFY(!shown.viewer);
    QCOMPARE(shown.messages.size(), 1);
    QVERIFY(shown.messages[0].text.startsWith(QStringLiteral("Error number: CA001\r\n")));
    QVERIFY(b.form->isEnabled());
}

void TestBadDocuments::folderInPlaceOfTheFile() {
    DocumentBrowser b(document("small"));
    const QString path = b.medium + QStringLiteral("/RichText/notice.rtf");
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path));
    b.env.messages().replies = {MsgReply::Retry};
    const Shown shown = runCommand(b, b.form->mnuNotice);
    QVERIFY(!shown.viewer);
    QCOMPARE(shown.messages.size(), 1);
    QVERIFY(shown.messages[0].text.startsWith(QStringLiteral("Error number: ca001\r\n")));
    QVERIFY(b.form->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestBadDocuments)
#include "tst_baddocuments.moc"
