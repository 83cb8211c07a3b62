// The three document commands on a medium with and without its documents,
// the document viewer's window, its ways to close, and its print button.
#include "demo_medium.h"
#include "documents/document_commands.h"
#include "documents/richtextbox.h"
#include "documents/txtform.h"
#include "fixtures.h"
#include "pdfcheck.h"
#include "platform/msgboxstyle.h"
#include "platform/printer.h"
#include "shell/form1.h"
#include "shell/mediaprompt.h"
#include "widgets/button3d.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <functional>

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void commandShowsItsDocument_data();
    void commandShowsItsDocument();
    void missingDocumentPrompts_data();
    void missingDocumentPrompts();
    void cancelAtThePromptEnds();
    void documentThatIsNotRtfPrompts();
    void documentsBesideTheProgram();
    void sameCommandTwiceStartsAfresh();
    void viewerWindow();
    void viewerIsCentred_data();
    void viewerIsCentred();
    void closing_data();
    void closing();
    void printQuestionNo();
    void printQuestionYesPrints();
    void printWithoutPrinter();
    void printJobFails();

private:
    using ModalCheck = std::function<void(txtForm*)>;
    // Runs check on the modal viewer once a command shows it, then closes it
    // with OK. Returns how many viewers were shown.
    int whileModal(const std::function<void()>& command, const ModalCheck& check);
};

namespace {

struct Command {
    const char* name;
    QAction* Form1::*action;
    const char* file;
    QString caption;
    QString code;
};

const QList<Command>& commands() {
    static const QList<Command> list = {
        {"Ads List", &Form1::mnuList, "KestrunAdsList.rtf",
         QStringLiteral("Kestrun Advertising Checklist "), QStringLiteral("CA001")},
        {"Notice", &Form1::mnuNotice, "notice.rtf", QStringLiteral("Notice"),
         QStringLiteral("ca001")},
        {"Print Registration Form", &Form1::mnuRegister, "Register.rtf",
         QStringLiteral("Quillon Software Registration Form"), QStringLiteral("CA002")},
    };
    return list;
}

// Writes the medium's three documents into folder/RichText.
void writeDocuments(const QString& folder) {
    QVERIFY(QDir().mkpath(folder + "/RichText"));
    const QList<std::pair<QString, QByteArray>> docs = {{"KestrunAdsList.rtf", demo::adsListRtf()},
                                                        {"notice.rtf", demo::noticeRtf()},
                                                        {"Register.rtf", demo::registerRtf()}};
    for (const auto& [name, data] : docs) {
        QFile f(folder + "/RichText/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
}

// A medium with its documents in drive E:, the main window on it.
struct Medium {
    TestEnv env;
    QString folder;
    std::unique_ptr<Form1> form;
    explicit Medium(bool withDocuments = true) {
        folder = env.makeFolder(QStringLiteral("cd"));
        if (withDocuments)
            writeDocuments(folder);
        env.mapDrive(QLatin1Char('E'), folder);
        env.app().MediaRoot = QStringLiteral("E:");
        form = std::make_unique<Form1>(env.app());
    }
};

class NoPrinterService : public PrinterService {
public:
    bool available() const override { return false; }
};

std::unique_ptr<txtForm> viewerWith(Medium& m, const QString& file, const QString& caption) {
    auto viewer = std::make_unique<txtForm>(m.env.app(), m.form.get());
    viewer->setWindowTitle(caption);
    if (!viewer->rtbText->LoadFile(*m.env.app().platform.files, "E:\\RichText\\" + file))
        qWarning("document not loaded");
    viewer->show();
    return viewer;
}

} // namespace

int TestDocuments::whileModal(const std::function<void()>& command, const ModalCheck& check) {
    int shown = 0;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* viewer = qobject_cast<txtForm*>(QApplication::activeModalWidget());
        if (!viewer)
            return;
        ++shown;
        if (check)
            check(viewer);
        QTest::mouseClick(viewer->SSCommand1, Qt::LeftButton);
    });
    poll.start();
    command();
    poll.stop();
    return shown;
}

void TestDocuments::commandShowsItsDocument_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("line");
    QTest::newRow("Ads List") << 0 << QStringLiteral("1972\t00, 01, 02, 03");
    QTest::newRow("Notice") << 1 << QStringLiteral("Copyright and usage notice");
    QTest::newRow("Print Registration Form") << 2 << QStringLiteral("Send the completed form to:");
}

void TestDocuments::commandShowsItsDocument() {
    QFETCH(int, index);
    QFETCH(QString, line);
    const Command& cmd = commands()[index];
    Medium m;
    m.form->show();
    QPointer<txtForm> seen;
    const int shown = whileModal([&] { (m.form.get()->*cmd.action)->trigger(); },
                                 [&](txtForm* viewer) {
                                     seen = viewer;
                                     QCOMPARE(viewer->windowTitle(), cmd.caption);
                                     QVERIFY(viewer->isModal());
                                     QVERIFY(viewer->rtbText->isReadOnly());
                                     QVERIFY2(viewer->rtbText->Text().contains(line),
                                              qPrintable(viewer->rtbText->Text()));
                                     QCOMPARE(viewer->parentWidget(), nullptr);
                                 });
    QCOMPARE(shown, 1);
    QVERIFY(m.env.messages().calls.isEmpty());
    QVERIFY(m.form->isEnabled());
    QVERIFY(seen.isNull()); // discarded once closed
    QCOMPARE(m.env.app().platform.pointer.current(), MousePointer::Default);
}

void TestDocuments::missingDocumentPrompts_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("driveEmpty");
    for (int i = 0; i < 3; ++i) {
        QTest::addRow("%s, no disc", commands()[i].name) << i << true;
        QTest::addRow("%s, disc without documents", commands()[i].name) << i << false;
    }
}

void TestDocuments::missingDocumentPrompts() {
    QFETCH(int, index);
    QFETCH(bool, driveEmpty);
    const Command& cmd = commands()[index];
    Medium m(false);
    if (driveEmpty)
        m.env.app().MediaRoot = QStringLiteral("K:"); // a letter with no volume
    m.env.messages().replies = {MsgReply::Retry};
    const int shown = whileModal([&] { (m.form.get()->*cmd.action)->trigger(); }, nullptr);
    QCOMPARE(shown, 0);
    QCOMPARE(m.env.app().MediaErrorCode, cmd.code);
    // One prompt with the command's own code; Retry does not try again.
    QCOMPARE(m.env.messages().calls.size(), 1);
    QCOMPARE(m.env.messages().calls[0].text, MediaPromptText(cmd.code));
    QCOMPARE(m.env.messages().calls[0].style, MsgStyle::RetryCancel);
    QCOMPARE(m.env.messages().calls[0].title, ProductTitle);
    QCOMPARE(m.env.endCount(), 0);
    QCOMPARE(m.env.app().platform.pointer.current(), MousePointer::Default);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QVERIFY(std::none_of(windows.cbegin(), windows.cend(),
                         [](QWidget* w) { return qobject_cast<txtForm*>(w) != nullptr; }));
}

void TestDocuments::cancelAtThePromptEnds() {
    Medium m(false);
    m.env.messages().replies = {MsgReply::Cancel};
    m.form->mnuNotice->trigger();
    QCOMPARE(m.env.messages().calls.size(), 1);
    QVERIFY(m.env.messages().calls[0].text.startsWith(QStringLiteral("Error number: ca001")));
    QCOMPARE(m.env.endCount(), 1);
}

void TestDocuments::documentThatIsNotRtfPrompts() {
    Medium m(false);
    QDir().mkpath(m.folder + "/RichText");
    QFile f(m.folder + "/RichText/Register.rtf");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("This is not a rich-text document.");
    f.close();
    m.env.messages().replies = {MsgReply::Retry};
    QCOMPARE(whileModal([&] { m.form->mnuRegister->trigger(); }, nullptr), 0);
    QCOMPARE(m.env.messages().calls.size(), 1);
    QCOMPARE(m.env.messages().calls[0].text, MediaPromptText(QStringLiteral("CA002")));
}

void TestDocuments::documentsBesideTheProgram() {
    // MediaRoot is the program folder (the HWI switch); names in any letter case.
    TestEnv env;
    QVERIFY(QDir().mkpath(env.programDir() + "/richtext"));
    QFile f(env.programDir() + "/richtext/NOTICE.RTF");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(demo::noticeRtf());
    f.close();
    env.app().MediaRoot = env.programDir();
    Form1 form(env.app());
    QString caption;
    QCOMPARE(whileModal([&] { form.mnuNotice->trigger(); },
                        [&](txtForm* v) { caption = v->windowTitle(); }),
             1);
    QCOMPARE(caption, QStringLiteral("Notice"));
    QVERIFY(env.messages().calls.isEmpty());
}

void TestDocuments::sameCommandTwiceStartsAfresh() {
    Medium m;
    QList<txtForm*> viewers;
    for (int round = 0; round < 2; ++round) {
        whileModal([&] { m.form->mnuList->trigger(); },
                   [&](txtForm* v) {
                       viewers << v;
                       QScrollBar* bar = v->rtbText->verticalScrollBar();
                       QCOMPARE(bar->value(), 0);
                       QVERIFY(!v->rtbText->textCursor().hasSelection());
                       // The first viewing scrolls and selects; none of it may survive.
                       bar->setValue(bar->maximum());
                       v->rtbText->selectAll();
                   });
    }
    QCOMPARE(viewers.size(), 2);
}

void TestDocuments::viewerWindow() {
    Medium m;
    const auto v = viewerWith(m, "notice.rtf", "Notice");
    QCOMPARE(v->objectName(), QStringLiteral("txtForm"));
    QCOMPARE(v->size(), QSize(531, 446)); // 7965 x 6690 twips
    QCOMPARE(v->minimumSize(), v->maximumSize());
    QVERIFY(v->windowFlags() & Qt::Tool);
    QVERIFY(v->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(v->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(v->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(v->rtbText->geometry(), QRect(8, 8, 513, 401));
    // OK reaches to 4 pixels left of the print button; both share the text's right edge.
    QCOMPARE(v->SSCommand1->geometry(), QRect(8, 416, 484, 25));
    QCOMPARE(v->SSCommand1->text(), QStringLiteral("OK"));
    QCOMPARE(v->cmdprint->geometry(), QRect(496, 416, 25, 25));
    QCOMPARE(v->cmdprint->geometry().right(), v->rtbText->geometry().right());
    QVERIFY(v->cmdprint->text().isEmpty());
    QCOMPARE(v->cmdprint->iconSize(), QSize(16, 16));
    QVERIFY(!v->cmdprint->icon().pixmap(16, 16).isNull());
    QCOMPARE(v->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Active, QPalette::Highlight));
}

void TestDocuments::viewerIsCentred_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("800 x 600") << QSize(800, 600) << QPoint(135, 77);
    QTest::newRow("1024 x 768") << QSize(1024, 768) << QPoint(247, 161);
}

void TestDocuments::viewerIsCentred() {
    QFETCH(QSize, screen);
    QFETCH(QPoint, topLeft);
    Medium m;
    m.env.setScreenPixels(screen.width(), screen.height());
    txtForm v(m.env.app(), m.form.get());
    QCOMPARE(v.pos(), topLeft);
}

void TestDocuments::closing_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("OK") << 0;
    QTest::newRow("double-click in the text") << 1;
    QTest::newRow("close box") << 2;
}

void TestDocuments::closing() {
    QFETCH(int, way);
    Medium m;
    m.form->show();
    const auto v = viewerWith(m, "KestrunAdsList.rtf", "Kestrun Advertising Checklist ");
    QVERIFY(QTest::qWaitForWindowExposed(v.get()));
    m.form->setEnabled(false);
    switch (way) {
    case 0:
        QTest::mouseClick(v->SSCommand1, Qt::LeftButton);
        break;
    case 1:
        QTest::mouseDClick(v->rtbText->viewport(), Qt::LeftButton, {}, QPoint(40, 20));
        break;
    default:
        v->close();
        break;
    }
    QTRY_VERIFY(!v->isVisible());
    QVERIFY(m.form->isEnabled());
    QVERIFY(m.env.messages().calls.isEmpty());
}

void TestDocuments::printQuestionNo() {
    Medium m;
    auto printer = std::make_shared<PrinterService>();
    const QString pdf = m.env.root() + "/no.pdf";
    printer->setOutputPdf(pdf);
    m.env.app().platform.printer = printer;
    for (const auto& [file, caption, question] :
         {std::tuple{"KestrunAdsList.rtf", "Kestrun Advertising Checklist ",
                     "Would you like to print the \r\n\r\nKestrun Advertising Checklist ?"},
          std::tuple{"notice.rtf", "Notice", "Would you like to print the \r\n\r\nNotice?"}}) {
        m.env.messages().calls.clear();
        m.env.messages().replies = {MsgReply::No};
        const auto v = viewerWith(m, file, caption);
        QTest::mouseClick(v->cmdprint, Qt::LeftButton);
        // The question only; nothing printed, no second message.
        QCOMPARE(m.env.messages().calls.size(), 1);
        QCOMPARE(m.env.messages().calls[0].text, QString::fromLatin1(question));
        QCOMPARE(m.env.messages().calls[0].style, MsgStyle::YesNo + MsgStyle::Question);
        QCOMPARE(m.env.messages().calls[0].title, ProductTitle);
        QCOMPARE(m.env.app().MessageText, QString::fromLatin1(question));
        QCOMPARE(m.env.app().MessageReply, QStringLiteral("7"));
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(v->isVisible());
    }
}

void TestDocuments::printQuestionYesPrints() {
    Medium m;
    auto printer = std::make_shared<PrinterService>();
    const QString pdf = m.env.root() + "/list.pdf";
    printer->setOutputPdf(pdf);
    m.env.app().platform.printer = printer;
    m.env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
    const auto v = viewerWith(m, "KestrunAdsList.rtf", "Kestrun Advertising Checklist ");
    QTest::mouseClick(v->cmdprint, Qt::LeftButton);
    QCOMPARE(m.env.messages().calls.size(), 2);
    QCOMPARE(m.env.app().MessageReply, QStringLiteral("6"));
    QCOMPARE(m.env.messages().calls[1].text, QStringLiteral("Printing complete!"));
    QCOMPARE(m.env.messages().calls[1].style, MsgStyle::Exclamation);
    QCOMPARE(m.env.messages().calls[1].title, ProductTitle);
    QVERIFY(pdfPageCount(pdf) >= 1);
    if (havePdfToText()) {
        QStringList words;
        for (const PdfWord& w : pdfWords(pdf))
            words << w.text;
        QVERIFY(words.contains(QStringLiteral("Checklist")));
        QVERIFY(words.contains(QStringLiteral("1999")));
    }
    QCOMPARE(m.env.app().platform.pointer.current(), MousePointer::Default);
    QVERIFY(v->isVisible());
}

void TestDocuments::printWithoutPrinter() {
    Medium m;
    m.env.app().platform.printer = std::make_shared<NoPrinterService>();
    m.env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
    const auto v = viewerWith(m, "notice.rtf", "Notice");
    QTest::mouseClick(v->cmdprint, Qt::LeftButton);
    QCOMPARE(m.env.messages().calls.size(), 2);
    QVERIFY(m.env.messages().calls[1].text.startsWith(QStringLiteral("No printer is available.")));
    QCOMPARE(m.env.messages().calls[1].title, ProductTitle);
    QCOMPARE(m.env.endCount(), 0);
    QCOMPARE(m.env.app().platform.pointer.current(), MousePointer::Default);
}

void TestDocuments::printJobFails() {
    Medium m;
    auto printer = std::make_shared<PrinterService>();
    printer->setOutputPdf(m.env.root() + "/no/such/folder/x.pdf");
    m.env.app().platform.printer = printer;
    m.env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
    const auto v = viewerWith(m, "Register.rtf", "Quillon Software Registration Form");
    QTest::mouseClick(v->cmdprint, Qt::LeftButton);
    QCOMPARE(m.env.messages().calls.size(), 2);
    QVERIFY(m.env.messages().calls[1].text.startsWith(QStringLiteral("Nothing was printed.")));
    QVERIFY(m.env.messages().calls[1].text != QStringLiteral("Printing complete!"));
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
