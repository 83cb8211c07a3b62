// The main window's load step driven with scripted message boxes, drives in
// temporary folders, a fixed screen and a temporary settings store.
#include "fixtures.h"
#include "platform/msgboxstyle.h"
#include "shell/form1.h"
#include "shell/form1_load.h"
#include "shell/mediaprompt.h"
#include "shell/startup.h"
#include "storetestkit.h"

#include <QAction>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void hwiSwitch_data();
    void hwiSwitch();
    void programFolderAndMediumOnF();
    void copiesInTheUsersFolder();
    void hwiFromReadOnlyFolder();
    void programFolderAloneStillPrompts();
    void earlierLetterWins();
    void lettersBeforeDAreNeverProbed();
    void retryAfterMediumAppears();
    void cancelEndsAndRestoresTaskbar();
    void promptTexts_data();
    void promptTexts();
    void geometry_data();
    void geometry();
    void lostScreenBringsWindowHome();
    void secondInstanceIsRefused();
};

static const QString Prompt002 = QStringLiteral(
    "Error number: CA002\r\n\r\nNo longer able to detect Kestrun Ads: The Marketing of Ruzariz's "
    "Zephcar CD-ROM.\r\n\r\nMake sure that Kestrun Ads: The Marketing of Ruzariz's Zephcar is in "
    "CDROM drive.");

void TestStartup::hwiSwitch_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("isSwitch");
    QTest::newRow("exact") << "HWI" << true;
    QTest::newRow("lower case") << "hwi" << false;
    QTest::newRow("with more arguments") << "HWI extra" << false;
    QTest::newRow("leading blank") << " HWI" << false;
    QTest::newRow("none") << "" << false;
}

void TestStartup::hwiSwitch() {
    QFETCH(QString, command);
    QFETCH(bool, isSwitch);
    TestEnv env;
    env.setCommand(command);
    // No ads anywhere: only the switch avoids the prompt.
    if (!isSwitch)
        env.messages().replies = {MsgReply::Cancel};
    Form1 form(env.app());
    const bool loaded = Form1_Load(env.app(), form);
    QCOMPARE(loaded, isSwitch);
    if (isSwitch) {
        QVERIFY(env.messages().calls.isEmpty());
        QCOMPARE(env.app().MediaRoot, env.programDir());
        QCOMPARE(env.app().AdsRoot, env.programDir());
        QCOMPARE(env.app().ZoomMode, QStringLiteral("1"));
        QCOMPARE(env.endCount(), 0);
    } else {
        QCOMPARE(env.messages().calls.size(), 1);
        QCOMPARE(env.messages().calls[0].text, Prompt002);
        QCOMPARE(env.endCount(), 1);
        QVERIFY(env.app().MediaRoot.isEmpty());
    }
}

void TestStartup::programFolderAndMediumOnF() {
    TestEnv env;
    writeAds(env.programDir(), 1964, {0});
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0});
    env.mapDrive(QLatin1Char('F'), cd);
    QVERIFY(LocateAds(env.app()));
    QCOMPARE(env.app().AdsRoot, env.programDir());
    QCOMPARE(env.app().MediaRoot, QStringLiteral("F:"));
    QVERIFY(env.messages().calls.isEmpty());
}

void TestStartup::copiesInTheUsersFolder() {
    TestEnv env;
    const QString data = env.makeFolder(QStringLiteral("data"));
    env.app().platform.program.CopyPath = data;
    writeAds(data, 1964, {0});
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0});
    env.mapDrive(QLatin1Char('D'), cd);
    QVERIFY(LocateAds(env.app()));
    QCOMPARE(env.app().AdsRoot, data);
    QCOMPARE(env.app().MediaRoot, QStringLiteral("D:"));
    // Copies beside the executable come first.
    writeAds(env.programDir(), 1964, {0});
    env.app().AdsRoot.clear();
    QVERIFY(LocateAds(env.app()));
    QCOMPARE(env.app().AdsRoot, env.programDir());
}

void TestStartup::hwiFromReadOnlyFolder() {
    TestEnv env;
    const QString exe = env.makeFolder(QStringLiteral("exe"));
    writeAds(exe, 1964, {0});
    const QString data = env.root() + QStringLiteral("/home/.local/share/KestrunAds");
    Unchangeable readOnly(exe);
    if (!readOnly.ok())
        SKIP_OR_FAIL("cannot make a folder read-only here (chattr +i as root)");
    env.app().platform.program =
        ProgramInfo::fromFolders(exe, data, {QStringLiteral("KestrunAds"), QStringLiteral("HWI")});
    // The medium is read where the executable is; only copies go elsewhere.
    QCOMPARE(env.app().platform.program.Path, exe);
    QCOMPARE(env.app().platform.program.CopyPath, data);
    QVERIFY(QFileInfo(data).isDir());
    QVERIFY(LocateAds(env.app()));
    QCOMPARE(env.app().MediaRoot, exe);
    QCOMPARE(env.app().AdsRoot, exe);
    QVERIFY(env.messages().calls.isEmpty());
}

void TestStartup::programFolderAloneStillPrompts() {
    TestEnv env;
    writeAds(env.programDir(), 1964, {0});
    env.messages().replies = {MsgReply::Cancel};
    QVERIFY(!LocateAds(env.app()));
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.app().MediaErrorCode, QStringLiteral("CA002"));
    QCOMPARE(env.app().AdsRoot, env.programDir());
    QCOMPARE(env.endCount(), 1);
}

void TestStartup::earlierLetterWins() {
    TestEnv env;
    const QString e = env.makeFolder(QStringLiteral("e"));
    const QString g = env.makeFolder(QStringLiteral("g"));
    writeAds(e, 1980, {0});
    writeAds(g, 1964, {0});
    env.mapDrive(QLatin1Char('G'), g);
    env.mapDrive(QLatin1Char('E'), e);
    // A drive with a disc but no ads folder, before both, is passed over.
    env.mapDrive(QLatin1Char('D'), env.makeFolder(QStringLiteral("d")));
    QVERIFY(LocateAds(env.app()));
    QCOMPARE(env.app().MediaRoot, QStringLiteral("E:"));
    QCOMPARE(env.app().AdsRoot, QStringLiteral("E:"));
}

void TestStartup::lettersBeforeDAreNeverProbed() {
    TestEnv env;
    const QString c = env.makeFolder(QStringLiteral("c"));
    writeAds(c, 1964, {0});
    env.mapDrive(QLatin1Char('C'), c);
    const QString z = env.makeFolder(QStringLiteral("z"));
    writeAds(z, 1964, {0});
    env.mapDrive(QLatin1Char('Z'), z);
    QVERIFY(LocateAds(env.app()));
    QCOMPARE(env.app().MediaRoot, QStringLiteral("Z:"));
}

void TestStartup::retryAfterMediumAppears() {
    TestEnv env;
    const QString cd = env.root() + QStringLiteral("/cd");
    env.mapDrive(QLatin1Char('H'), cd); // a drive with no disc yet
    env.messages().replies = {MsgReply::Retry, MsgReply::Retry};
    int shown = 0;
    env.messages().onShow = [&](const MessageCall& call) {
        QCOMPARE(call.style, MsgStyle::RetryCancel);
        QCOMPARE(call.title, ProductTitle);
        // The user puts the disc in while the second prompt is open.
        if (++shown == 2)
            writeAds(cd, 1999, {0});
    };
    QVERIFY(LocateAds(env.app()));
    QCOMPARE(shown, 2);
    QCOMPARE(env.app().MediaRoot, QStringLiteral("H:"));
    QCOMPARE(env.app().AdsRoot, QStringLiteral("H:"));
    QCOMPARE(env.app().MessageReply, QStringLiteral("4"));
    QCOMPARE(env.endCount(), 0);
}

void TestStartup::cancelEndsAndRestoresTaskbar() {
    TestEnv env;
    // The taskbar was hidden by this program before the prompt was cancelled.
    env.app().TaskbarHandle = env.app().platform.taskbar->FindWindow();
    env.app().platform.taskbar->ShowWindow(env.app().TaskbarHandle, Taskbar::Hide);
    QVERIFY(!env.taskbar().visible);
    env.messages().replies = {MsgReply::Cancel};
    QVERIFY(!LocateAds(env.app()));
    QCOMPARE(env.app().MessageReply, QStringLiteral("2"));
    QCOMPARE(env.endCount(), 1);
    QVERIFY(env.taskbar().visible);
}

void TestStartup::promptTexts_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    const QString make = QStringLiteral(
        "Make sure that Kestrun Ads: The Marketing of Ruzariz's Zephcar is in CDROM drive.");
    QTest::newRow("CA001")
        << "CA001"
        << QStringLiteral("Error number: CA001\r\n\r\nUnable to detect Kestrun Ads: The Marketing "
                          "of Ruzariz's Zephcar CD-ROM.\r\n\r\n") +
               make;
    QTest::newRow("CA002") << "CA002" << Prompt002;
    QTest::newRow("ca001 has no first line")
        << "ca001" << QStringLiteral("Error number: ca001\r\n\r\n\r\n\r\n") + make;
}

void TestStartup::promptTexts() {
    QFETCH(QString, code);
    QFETCH(QString, text);
    TestEnv env;
    env.app().MediaErrorCode = code;
    env.messages().replies = {MsgReply::Retry};
    QVERIFY(ShowMediaPrompt(env.app()));
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, text);
    QCOMPARE(env.messages().calls[0].style, 5);
    QCOMPARE(env.messages().calls[0].title, ProductTitle);
    QCOMPARE(env.app().MessageText, text);
    QCOMPARE(env.app().MessageReply, QStringLiteral("4"));
    QCOMPARE(env.endCount(), 0);
}

void TestStartup::geometry_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QStringList>("saved"); // left, top, width, height; "-" = not saved
    QTest::addColumn<QRect>("twips");       // expected left, top, width, height
    QTest::addColumn<bool>("statusMenu");
    const QStringList none{"-", "-", "-", "-"};
    QTest::newRow("1024x768 unsaved")
        << QSize(1024, 768) << none << QRect(0, 0, 11965, 9195) << false;
    QTest::newRow("1024x768 saved: size ignored, place used")
        << QSize(1024, 768) << QStringList{"1440", "-60", "6000", "4000"}
        << QRect(1440, -60, 11965, 9195) << false;
    QTest::newRow("800x600 unsaved covers the screen")
        << QSize(800, 600) << none << QRect(0, 0, 12000, 9000) << true;
    QTest::newRow("800x600 saved") << QSize(800, 600) << QStringList{"300", "150", "9000", "7005"}
                                   << QRect(300, 150, 9000, 7005) << true;
    QTest::newRow("800x600 values that are not numbers are skipped")
        << QSize(800, 600) << QStringList{"left", "150", "", "huge"} << QRect(0, 150, 12060, 7680)
        << true;
    QTest::newRow("800x600 absurd values are skipped")
        << QSize(800, 600) << QStringList{"1e30", "-1e30", "1e12", "-500"}
        << QRect(0, 0, 12060, 7680) << true;
}

void TestStartup::geometry() {
    QFETCH(QSize, screen);
    QFETCH(QStringList, saved);
    QFETCH(QRect, twips);
    QFETCH(bool, statusMenu);
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    env.setScreenPixels(screen.width(), screen.height());
    const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < 4; ++i)
        if (saved[i] != QLatin1String("-"))
            env.saveSetting(QLatin1String(keys[i]), saved[i]);
    Form1 form(env.app());
    // Before the load step the window has its designed size.
    QCOMPARE(form.size(), QSize(804, 512));
    const WindowTwips before = form.windowTwips();
    SizingControls controls;
    const WindowPlacement placed = PlaceMainWindow(env.app(), before, controls);
    QCOMPARE(placed.rect.left, double(twips.x()));
    QCOMPARE(placed.rect.top, double(twips.y()));
    QCOMPARE(placed.rect.width, double(twips.width()));
    QCOMPARE(placed.rect.height, double(twips.height()));
    QCOMPARE(placed.hideStatusMenu, !statusMenu);

    QVERIFY(Form1_Load(env.app(), form));
    QCOMPARE(form.mnuHideStatus->isVisible(), statusMenu);
    QCOMPARE(form.pos(), QPoint(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0)));
    QCOMPARE(form.size(), QSize(qRound(twips.width() / 15.0), qRound(twips.height() / 15.0)));
    QVERIFY(env.messages().calls.isEmpty());
}

void TestStartup::lostScreenBringsWindowHome() {
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    // Saved on a second monitor to the right that is no longer there.
    env.setScreenPixels(1024, 768, {QRect(0, 0, 1024, 768)});
    env.saveSetting(QStringLiteral("MainLeft"), QStringLiteral("30000"));
    env.saveSetting(QStringLiteral("MainTop"), QStringLiteral("600"));
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    QCOMPARE(form.pos(), QPoint(0, 0));

    // Partly on screen is left alone.
    TestEnv env2;
    env2.setCommand(QStringLiteral("HWI"));
    env2.setScreenPixels(1024, 768, {QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)});
    env2.saveSetting(QStringLiteral("MainLeft"), QStringLiteral("30000"));
    env2.saveSetting(QStringLiteral("MainTop"), QStringLiteral("600"));
    Form1 form2(env2.app());
    QVERIFY(Form1_Load(env2.app(), form2));
    QCOMPARE(form2.pos(), QPoint(2000, 40));
}

void TestStartup::secondInstanceIsRefused() {
    TestEnv first;
    first.setCommand(QStringLiteral("HWI"));
    Form1 form1(first.app());
    QVERIFY(Form1_Load(first.app(), form1));

    TestEnv second(first.lockFile());
    second.setCommand(QStringLiteral("HWI"));
    second.messages().replies = {MsgReply::Ok};
    Form1 form2(second.app());
    QVERIFY(!Form1_Load(second.app(), form2));
    QCOMPARE(second.messages().calls.size(), 1);
    QCOMPARE(second.messages().calls[0].text, QStringLiteral("KestrunAds is already running!"));
    QCOMPARE(second.messages().calls[0].style, 16 + 4096);
    QCOMPARE(second.messages().calls[0].title, QString()); // the default title
    QCOMPARE(second.endCount(), 1);
    QVERIFY(second.app().MediaRoot.isEmpty()); // it ended before the search
    QCOMPARE(first.endCount(), 0);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
