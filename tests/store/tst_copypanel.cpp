// The copy panel on the real main window: its controls, the free-space test
// of the copy command, and copy runs started with a click on "Copy Ads".
#include "fixtures.h"
#include "platform/msgboxstyle.h"
#include "shell/form1.h"
#include "store/copypanel.h"
#include "storetestkit.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestCopyPanel : public QObject {
    Q_OBJECT
private slots:
    void controlsAtDesignedPlaces();
    void freeSpaceTest_data();
    void freeSpaceTest();
    void panelCentredOnScreenArea_data();
    void panelCentredOnScreenArea();
    void cancelOnlyHides();
    void copyRunThroughTheWindow();
    void windowCannotCloseDuringRun();
    void mediumTakenOutMidRun();
    void progressIsCurrentWhenABoxOpens();
    void gaugeCaptionReadableOverTheBar();
};

namespace {

// Calls `during` at each repaint of a control while the main window is
// disabled, that is while a copy run is under way.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* watched, Form1& form, std::function<void()> during)
        : m_form(form), m_during(std::move(during)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_form.isEnabled())
            m_during();
        return false;
    }

private:
    Form1& m_form;
    std::function<void()> m_during;
};

struct Window {
    explicit Window(TestEnv& env, std::optional<qint64> free = qint64(50000000))
        : disk(std::make_shared<FixedDiskSpace>(free)) {
        env.app().platform.diskSpace = disk;
        cd = env.makeFolder(QStringLiteral("cd"));
        env.mapDrive(QLatin1Char('D'), cd);
        env.app().MediaRoot = env.app().AdsRoot = QStringLiteral("D:");
        form = std::make_unique<Form1>(env.app());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    CopyPanel& panel() { return *form->copyPanel; }
    std::shared_ptr<FixedDiskSpace> disk;
    QString cd;
    std::unique_ptr<Form1> form;
};

// True when a gauge is painted as the same gauge showing `percent` is.
bool gaugePaints(Panel3D* gauge, int percent) {
    Panel3D same(gauge->parentWidget());
    same.setGeometry(gauge->geometry());
    same.setFont(gauge->font());
    same.setFloodPercent(percent);
    same.setCaption(QString::number(percent));
    return gauge->grab().toImage() == same.grab().toImage();
}

// The largest difference in grey level between a pixel of `area` and
// `background` (0 when every pixel is the background).
int contrastOver(const QImage& image, QRect area, QRgb background) {
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            most = qMax(most, qAbs(qGray(image.pixel(x, y)) - qGray(background)));
    return most;
}

// The smallest rectangle holding every pixel of one colour.
QRect areaOf(const QImage& image, QRgb color) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                area |= QRect(x, y, 1, 1);
    return area;
}

void checkControl(QWidget* w, QWidget* parent, QRect rect) {
    QCOMPARE(w->parentWidget(), parent);
    QCOMPARE(w->geometry(), rect);
}

} // namespace

void TestCopyPanel::controlsAtDesignedPlaces() {
    TestEnv env;
    Window win(env);
    CopyPanel& c = win.panel();
    Panel3D* p = win.form->pnlProgress;
    QVERIFY(!p->isVisible());
    QCOMPARE(c.parent(), p);
    const QColor darkBlue(0, 0, 128);
    checkControl(c.Label2, p, QRect(104, 16, 313, 25));
    QCOMPARE(c.Label2->text(), QStringLiteral("Copy Ads from CD-ROM to hard drive"));
    QVERIFY(c.Label2->font().bold());
    QCOMPARE(c.Label2->palette().color(QPalette::WindowText), darkBlue);
    checkControl(c.Label1, p, QRect(16, 40, 81, 17));
    QCOMPARE(c.Label1->text(), QStringLiteral("Copying file:"));
    QVERIFY(!c.Label1->font().bold());
    QCOMPARE(c.Label1->palette().color(QPalette::WindowText), darkBlue);
    checkControl(c.Text2, p, QRect(96, 40, 361, 17));
    QCOMPARE(c.Text2->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(c.Text2->palette().color(QPalette::Text), darkBlue);
    checkControl(c.ProgressGuage, p, QRect(24, 64, 433, 25));
    checkControl(c.Image3, p, QRect(56, 120, 380, 112));
    QCOMPARE(c.Image3->picture().size(), QSize(354, 116));
    checkControl(c.ProgressGuage2, p, QRect(24, 248, 433, 25));
    checkControl(c.cmdCopy, p, QRect(24, 288, 217, 33));
    QCOMPARE(c.cmdCopy->text(), QStringLiteral("Copy Ads"));
    checkControl(c.cmdCancel, p, QRect(240, 288, 217, 33));
    QCOMPARE(c.cmdCancel->text(), QStringLiteral("Cancel"));
    for (Panel3D* g : {c.ProgressGuage, c.ProgressGuage2}) {
        QCOMPARE(g->floodPercent(), 0);
        QCOMPARE(g->caption(), QStringLiteral("0"));
    }
}

void TestCopyPanel::freeSpaceTest_data() {
    QTest::addColumn<std::optional<qint64>>("free");
    QTest::addColumn<QStringList>("messages"); // style|title|text of each box
    const auto notEnough = [](const QString& have, const QString& need) {
        return QStringLiteral("16|") + ProductTitle +
               QStringLiteral("|Not enough available hard disk space to copy Ads.\r\n\r\n"
                              "Free some up and try again.\r\n\r\n"
                              "You have:  %1 bytes\r\n\r\n"
                              "You need:   %2 bytes more\r\n\r\n"
                              "For a total of:   38,000,000 bytes free.\r\n")
                   .arg(have, need);
    };
    QTest::newRow("exactly enough") << std::optional<qint64>(38000000) << QStringList();
    QTest::newRow("far more") << std::optional<qint64>(9000000000) << QStringList();
    QTest::newRow("one byte short")
        << std::optional<qint64>(37999999) << QStringList{notEnough("37,999,999", "1")};
    QTest::newRow("little") << std::optional<qint64>(1234567)
                            << QStringList{notEnough("1,234,567", "36,765,433")};
    QTest::newRow("full disk shows an empty number")
        << std::optional<qint64>(0) << QStringList{notEnough("", "38,000,000")};
    QTest::newRow("cannot be measured")
        << std::optional<qint64>()
        << QStringList{QStringLiteral("0||Internal GetDisk error!"), notEnough("", "38,000,000")};
}

void TestCopyPanel::freeSpaceTest() {
    QFETCH(std::optional<qint64>, free);
    QFETCH(QStringList, messages);
    TestEnv env;
    const QString copyPath = env.makeFolder(QStringLiteral("data"));
    env.app().platform.program.CopyPath = copyPath;
    Window win(env, free);
    env.messages().replies = QList<int>(messages.size(), MsgReply::Ok);
    win.form->mnuCopy->trigger();
    QStringList shown;
    for (const MessageCall& call : env.messages().calls)
        shown << QString::number(call.style) + QLatin1Char('|') + call.title + QLatin1Char('|') +
                     call.text;
    QCOMPARE(shown, messages);
    // The volume measured is the one that receives the copy.
    QCOMPARE(win.disk->asked, QStringList{copyPath});
    QCOMPARE(win.form->pnlProgress->isVisible(), messages.isEmpty());
    if (!messages.isEmpty()) {
        QCOMPARE(env.app().MessageText, env.messages().calls.last().text);
        QCOMPARE(env.app().MessageReply, QStringLiteral("1"));
    }
}

void TestCopyPanel::panelCentredOnScreenArea_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("1024x768") << QSize(1024, 768) << QPoint(269, 212); // 211.5 rounds up
    QTest::newRow("800x600") << QSize(800, 600) << QPoint(157, 128);   // 127.5 rounds up
    // Halves go away from zero: -22.5 becomes -23.
    QTest::newRow("400x300: partly off the top left") << QSize(400, 300) << QPoint(-43, -23);
}

void TestCopyPanel::panelCentredOnScreenArea() {
    QFETCH(QSize, screen);
    QFETCH(QPoint, place);
    TestEnv env;
    env.setScreenPixels(screen.width(), screen.height());
    Window win(env);
    win.form->mnuCopy->trigger();
    Panel3D* p = win.form->pnlProgress;
    QVERIFY(p->isVisible());
    QCOMPARE(p->pos(), place);
    QCOMPARE(p->size(), QSize(486, 345));
    // In front of every other control, with the copy button ready.
    QCOMPARE(win.form->client()->children().last(), p);
    QCOMPARE(win.form->focusWidget(), win.panel().cmdCopy);
}

void TestCopyPanel::cancelOnlyHides() {
    TestEnv env;
    Window win(env);
    writeFile(win.cd + QStringLiteral("/ads/64tova00.jpg"), patternBytes(100, 1));
    win.form->mnuCopy->trigger();
    QTest::mouseClick(win.panel().cmdCancel, Qt::LeftButton);
    QVERIFY(!win.form->pnlProgress->isVisible());
    QVERIFY(env.messages().calls.isEmpty());
    QVERIFY(!QFileInfo::exists(env.programDir() + QStringLiteral("/ads")));
    QCOMPARE(env.app().AdsRoot, QStringLiteral("D:"));
    QVERIFY(win.form->isEnabled());
}

void TestCopyPanel::copyRunThroughTheWindow() {
    TestEnv env;
    Window win(env);
    const QList<int> sizes{60000, 120, 50000, 24999, 75001};
    for (int i = 0; i < sizes.size(); ++i)
        writeFile(win.cd + QStringLiteral("/ads/7%1tova00.jpg").arg(i), patternBytes(sizes[i], i));
    CopyPanel& c = win.panel();
    QList<int> fileGaugeSeen, runGaugeSeen;
    QStringList sourceSeen;
    PaintWatch watch(c.ProgressGuage, *win.form, [&] {
        fileGaugeSeen << c.ProgressGuage->floodPercent();
        QCOMPARE(c.ProgressGuage->caption(), QString::number(c.ProgressGuage->floodPercent()));
        runGaugeSeen << c.ProgressGuage2->floodPercent();
        sourceSeen << c.Text2->text();
        QVERIFY(!c.cmdCopy->isEnabled() && !c.cmdCancel->isEnabled());
        QCOMPARE(env.app().platform.pointer.current(), MousePointer::Hourglass);
    });
    bool checkedAtResult = false;
    env.messages().replies = {MsgReply::Ok};
    env.messages().onShow = [&](const MessageCall&) {
        // The result is shown over a disabled window, with the overall gauge full.
        QVERIFY(!win.form->isEnabled());
        QCOMPARE(c.ProgressGuage2->floodPercent(), 100);
        QCOMPARE(c.ProgressGuage2->caption(), QStringLiteral("100"));
        QCOMPARE(env.app().platform.pointer.current(), MousePointer::Default);
        checkedAtResult = true;
    };
    win.form->mnuCopy->trigger();
    QTest::mouseClick(c.cmdCopy, Qt::LeftButton);

    QVERIFY(checkedAtResult);
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, QStringLiteral("Ads successfully copied!\r\n"));
    // The window repainted during the run, at most once per frame, starting
    // with the first block; whatever it showed was a value the blocks reached.
    QVERIFY(!fileGaugeSeen.isEmpty());
    QCOMPARE(fileGaugeSeen.first(), 42);
    QCOMPARE(sourceSeen.first(), QStringLiteral("D:\\Ads\\70tova00.jpg"));
    for (int seen : std::as_const(fileGaugeSeen))
        QVERIFY2((QList<int>{42, 83, 50, 100, 33, 67}).contains(seen),
                 qPrintable(QString::number(seen)));
    for (int seen : std::as_const(runGaugeSeen))
        QVERIFY(seen == 0 || seen == 100);
    QCOMPARE(c.Text2->text(), QStringLiteral("D:\\Ads\\74tova00.jpg"));
    for (int i = 0; i < sizes.size(); ++i)
        QCOMPARE(readFile(env.programDir() + QStringLiteral("/ads/7%1tova00.jpg").arg(i)),
                 patternBytes(sizes[i], i));
    QCOMPARE(win.panel().run.CopyBytesLeft, qint64(AdsTotalBytes) - 7 * CopyBlockBytes);
    QCOMPARE(env.app().AdsRoot, env.programDir());
    QCOMPARE(env.app().MediaRoot, QStringLiteral("D:"));
    // Back as before the run.
    QVERIFY(!win.form->pnlProgress->isVisible());
    QVERIFY(win.form->isEnabled());
    QVERIFY(c.cmdCopy->isEnabled() && c.cmdCancel->isEnabled());
    for (Panel3D* g : {c.ProgressGuage, c.ProgressGuage2}) {
        QCOMPARE(g->floodPercent(), 0);
        QCOMPARE(g->caption(), QStringLiteral("0"));
    }
    QCOMPARE(env.app().platform.pointer.current(), MousePointer::Default);
}

void TestCopyPanel::windowCannotCloseDuringRun() {
    TestEnv env;
    Window win(env);
    writeFile(win.cd + QStringLiteral("/ads/64tova00.jpg"), patternBytes(80000, 1));
    int refused = 0;
    PaintWatch watch(win.panel().ProgressGuage, *win.form, [&] {
        if (!win.form->close())
            ++refused;
    });
    env.messages().replies = {MsgReply::Ok};
    win.form->mnuCopy->trigger();
    QTest::mouseClick(win.panel().cmdCopy, Qt::LeftButton);
    QVERIFY(refused > 0);
    QCOMPARE(env.endCount(), 0);
    QCOMPARE(readFile(env.programDir() + QStringLiteral("/ads/64tova00.jpg")),
             patternBytes(80000, 1));
    // Once the run is over the window closes as usual.
    QVERIFY(win.form->close());
    QCOMPARE(env.endCount(), 1);
}

void TestCopyPanel::mediumTakenOutMidRun() {
    TestEnv env;
    Window win(env);
    for (int n = 0; n < 5; ++n)
        writeFile(win.cd + QStringLiteral("/ads/66tova0%1.jpg").arg(n), patternBytes(60000, n));
    // Earlier copies of the later files must survive the failed run.
    for (int n = 1; n < 5; ++n)
        writeFile(env.programDir() + QStringLiteral("/ads/66tova0%1.jpg").arg(n), "earlier");
    bool taken = false;
    PaintWatch watch(win.panel().ProgressGuage, *win.form, [&] {
        if (!taken)
            taken = QDir().rename(win.cd, win.cd + QStringLiteral("-out"));
    });
    env.messages().replies = QList<int>(4, MsgReply::Ok);
    win.form->mnuCopy->trigger();
    QTest::mouseClick(win.panel().cmdCopy, Qt::LeftButton);

    QVERIFY(taken);
    const auto& calls = env.messages().calls;
    QCOMPARE(calls.size(), 4); // three error boxes, then the result
    QCOMPARE(calls[0].text, QStringLiteral("Device unavailable\r\n\r\nD:\\Ads\\66tova01.jpg"));
    QCOMPARE(calls[3].text, QStringLiteral("4 of 5 files could not be copied to the hard drive:\r\n"
                                           "    66tova01.jpg\r\n    66tova02.jpg\r\n"
                                           "    66tova03.jpg\r\n    66tova04.jpg\r\n\r\n"
                                           "The ads will still be read from the CD-ROM.\r\n"));
    // The file under way when the disc went finished from what was open.
    QCOMPARE(readFile(env.programDir() + QStringLiteral("/ads/66tova00.jpg")),
             patternBytes(60000, 0));
    for (int n = 1; n < 5; ++n)
        QCOMPARE(readFile(env.programDir() + QStringLiteral("/ads/66tova0%1.jpg").arg(n)),
                 QByteArray("earlier"));
    QCOMPARE(entriesOf(env.programDir() + QStringLiteral("/ads")).size(), 5);
    QCOMPARE(env.app().AdsRoot, QStringLiteral("D:"));
    QVERIFY(win.form->isEnabled());
    QCOMPARE(env.app().platform.pointer.current(), MousePointer::Default);
}

void TestCopyPanel::progressIsCurrentWhenABoxOpens() {
    TestEnv env;
    Window win(env);
    for (int n = 0; n < 3; ++n)
        writeFile(win.cd + QStringLiteral("/ads/61tova0%1.jpg").arg(n), patternBytes(60000, n));
    // The second file fails at its second block.
    auto& files = env.app().platform.files;
    files = std::make_shared<FullDiskFiles>(std::make_shared<DriveMap>(files->drives()),
                                            QStringList{QStringLiteral("61tova01.jpg")}, 30000);
    CopyPanel& c = win.panel();
    QStringList shown;
    env.messages().replies = {MsgReply::Ok, MsgReply::Ok};
    env.messages().onShow = [&](const MessageCall& call) {
        const bool atResult = call.title == ProductTitle;
        // What the panel shows behind the box: the block the run stopped at,
        // or the last file and the full run.
        shown << c.Text2->text();
        QVERIFY2(gaugePaints(c.ProgressGuage, atResult ? 100 : 83), qPrintable(call.text));
        QVERIFY2(gaugePaints(c.ProgressGuage2, atResult ? 100 : 0), qPrintable(call.text));
    };
    win.form->mnuCopy->trigger();
    QTest::mouseClick(c.cmdCopy, Qt::LeftButton);
    QCOMPARE(env.messages().calls.size(), 2);
    QCOMPARE(shown, (QStringList{"D:\\Ads\\61tova01.jpg", "D:\\Ads\\61tova02.jpg"}));
}

void TestCopyPanel::gaugeCaptionReadableOverTheBar() {
    TestEnv env;
    Window win(env);
    Panel3D* gauge = win.panel().ProgressGuage;
    // Pixels clear of the centred caption, near both ends.
    const QPoint nearLeft(gauge->width() / 10, gauge->height() / 2);
    const QPoint nearRight(gauge->width() * 9 / 10, gauge->height() / 2);

    gauge->setFloodPercent(100);
    gauge->setCaption(QStringLiteral("100"));
    QImage image = gauge->grab().toImage();
    const QRgb bar = image.pixel(nearLeft);
    QVERIFY(contrastOver(image, areaOf(image, bar), bar) >= 128);

    // Half filled under a caption that spans the middle: each part of it
    // stands out from what lies under it.
    gauge->setFloodPercent(50);
    gauge->setCaption(QString(40, QLatin1Char('8')));
    image = gauge->grab().toImage();
    const QRect filled = areaOf(image, bar);
    QVERIFY(filled.contains(nearLeft) && !filled.contains(nearRight));
    const QRgb grey = image.pixel(nearRight);
    QVERIFY(qGray(grey) - qGray(bar) >= 100);
    QVERIFY(contrastOver(image, filled, bar) >= 128);
    const QRect unfilled(filled.right() + 3, filled.top(), filled.width() - 6, filled.height());
    QVERIFY(contrastOver(image, unfilled, grey) >= 128);
}

QTEST_MAIN(TestCopyPanel)
#include "tst_copypanel.moc"
