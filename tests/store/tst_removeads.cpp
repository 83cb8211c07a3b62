// "Remove Ads from Hard Drive" on the real main window: what it deletes,
// what it must never delete, what it says, and the end of the program.
#include "fixtures.h"
#include "platform/msgboxstyle.h"
#include "shell/form1.h"
#include "storetestkit.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QtTest>

class TestRemoveAds : public QObject {
    Q_OBJECT
private slots:
    void answerNoChangesNothing();
    void removesOnlyPictures_data();
    void removesOnlyPictures();
    void neverCopied();
    void undeletableFileIsReported();
    void programFolderIsTheMedium_data();
    void programFolderIsTheMedium();
    void linkedAdsFolderIsLeftAlone();
    void hwiCopiesInTheUsersFolderAreRemoved();
};

namespace {

const QString Question =
    QStringLiteral("Would you like to remove all Kestrun Ads from your hard drive?");
const QString Removed = QStringLiteral(
    "All Ads Successfully Removed!\r\n\r\nYou must now exit and re-enter the Kestrun Ads to "
    "allow \r\nthe software to find the ads on the cdrom drive.\r\n\r\n");

// A main window whose pictures come from the program folder, the medium in D:.
struct Window {
    explicit Window(TestEnv& env) : env(env) {
        cd = env.makeFolder(QStringLiteral("cd"));
        writeFile(cd + QStringLiteral("/ads/64tova00.jpg"), patternBytes(500, 1));
        env.mapDrive(QLatin1Char('D'), cd);
        env.app().MediaRoot = QStringLiteral("D:");
        env.app().AdsRoot = env.programDir();
        form = std::make_unique<Form1>(env.app());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    QString ads() const { return env.programDir() + QStringLiteral("/ads"); }
    void mediumUntouched() const {
        QCOMPARE(entriesOf(cd + QStringLiteral("/ads")), QStringList{"64tova00.jpg"});
        QCOMPARE(readFile(cd + QStringLiteral("/ads/64tova00.jpg")), patternBytes(500, 1));
    }
    TestEnv& env;
    QString cd;
    std::unique_ptr<Form1> form;
};

void checkEnded(TestEnv& env, Window& win) {
    QCOMPARE(env.endCount(), 1);
    QVERIFY(!win.form->isVisible());
    // The exit steps ran: the geometry was saved.
    QCOMPARE(env.setting(QStringLiteral("MainLeft")), QString::number(win.form->x() * 15));
    QCOMPARE(env.app().AdsRoot, QStringLiteral("D:"));
    QCOMPARE(env.app().platform.pointer.current(), MousePointer::Default);
    win.mediumUntouched();
}

} // namespace

void TestRemoveAds::answerNoChangesNothing() {
    TestEnv env;
    Window win(env);
    writeFile(win.ads() + QStringLiteral("/64tova00.jpg"), "copy");
    env.messages().replies = {MsgReply::No};
    win.form->mnuRemove->trigger();
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, Question);
    QCOMPARE(env.messages().calls[0].style, MsgStyle::YesNo + MsgStyle::Question);
    QCOMPARE(env.messages().calls[0].title, ProductTitle);
    QCOMPARE(entriesOf(win.ads()), QStringList{"64tova00.jpg"});
    QCOMPARE(env.endCount(), 0);
    QVERIFY(win.form->isVisible());
    QCOMPARE(env.app().AdsRoot, env.programDir());
}

void TestRemoveAds::removesOnlyPictures_data() {
    QTest::addColumn<QStringList>("present"); // a trailing "/" makes a folder
    QTest::addColumn<QStringList>("left");
    QTest::newRow("only pictures")
        << QStringList{"64tova00.jpg", "64tova01.jpg", "99tova30.jpg"} << QStringList();
    QTest::newRow("a text file stays, and so does the folder")
        << QStringList{"64tova00.jpg", "readme.txt"} << QStringList{"readme.txt"};
    QTest::newRow("upper-case extension") << QStringList{"64TOVA00.JPG", "b.Jpg"} << QStringList();
    QTest::newRow("a folder named like a picture stays")
        << QStringList{"64tova00.jpg", "sub.jpg/"} << QStringList{"sub.jpg"};
    QTest::newRow("near misses stay") << QStringList{"64tova00.jpgx", "64tova00.jpeg", "a.jpg"}
                                      << QStringList{"64tova00.jpeg", "64tova00.jpgx"};
}

void TestRemoveAds::removesOnlyPictures() {
    QFETCH(QStringList, present);
    QFETCH(QStringList, left);
    TestEnv env;
    Window win(env);
    for (const QString& name : present) {
        if (name.endsWith(QLatin1Char('/')))
            QDir().mkpath(win.ads() + QLatin1Char('/') + name);
        else
            writeFile(win.ads() + QLatin1Char('/') + name, "x");
    }
    env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
    win.form->mnuRemove->trigger();

    QCOMPARE(env.messages().calls.size(), 2);
    QCOMPARE(env.messages().calls[1].text, Removed);
    QCOMPARE(env.messages().calls[1].style, MsgStyle::OkOnly);
    QCOMPARE(env.messages().calls[1].title, ProductTitle);
    QCOMPARE(env.app().MessageText, Removed);
    QCOMPARE(QFileInfo::exists(win.ads()), !left.isEmpty());
    if (!left.isEmpty())
        QCOMPARE(entriesOf(win.ads()), left);
    checkEnded(env, win);
}

void TestRemoveAds::neverCopied() {
    TestEnv env;
    Window win(env);
    env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
    win.form->mnuRemove->trigger();
    QCOMPARE(env.messages().calls.size(), 2);
    QCOMPARE(env.messages().calls[1].text, Removed);
    QVERIFY(!QFileInfo::exists(win.ads()));
    checkEnded(env, win);
}

void TestRemoveAds::undeletableFileIsReported() {
    TestEnv env;
    Window win(env);
    for (int n = 0; n < 3; ++n)
        writeFile(win.ads() + QStringLiteral("/64tova0%1.jpg").arg(n), "copy");
    {
        Unchangeable locked(win.ads() + QStringLiteral("/64tova01.jpg"));
        if (!locked.ok())
            SKIP_OR_FAIL("cannot protect a file from deletion here (chattr +i as root)");
        env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
        win.form->mnuRemove->trigger();
    }
    const QStringList left = entriesOf(win.ads());
    QVERIFY(left.contains(QStringLiteral("64tova01.jpg")));
    QCOMPARE(env.messages().calls.size(), 2);
    const MessageCall& said = env.messages().calls[1];
    QCOMPARE(said.style, MsgStyle::Exclamation);
    QCOMPARE(said.text,
             QStringLiteral("Not all Ads could be removed from your hard drive: %1 of 3 files "
                            "remain in\r\n%2\r\n\r\nThe Kestrun Ads will now close. While these "
                            "files remain, it will keep reading the ads from your hard "
                            "drive.\r\n\r\n")
                 .arg(left.size())
                 .arg(win.ads()));
    // The program still ends.
    checkEnded(env, win);
}

void TestRemoveAds::programFolderIsTheMedium_data() {
    QTest::addColumn<bool>("hwi");
    QTest::newRow("started with HWI") << true;
    QTest::newRow("a drive that is the program folder") << false;
}

void TestRemoveAds::programFolderIsTheMedium() {
    QFETCH(bool, hwi);
    TestEnv env;
    Window win(env);
    writeFile(win.ads() + QStringLiteral("/64tova00.jpg"), patternBytes(700, 7));
    if (hwi) {
        env.app().MediaRoot = env.programDir();
    } else {
        env.mapDrive(QLatin1Char('E'), env.programDir());
        env.app().MediaRoot = QStringLiteral("E:");
    }
    env.messages().replies = {MsgReply::Ok};
    win.form->mnuRemove->trigger();
    // No question whose Yes would destroy the only source of the pictures.
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].style, MsgStyle::Exclamation);
    QVERIFY(env.messages().calls[0].text.endsWith(QStringLiteral("Nothing has been removed.\r\n")));
    QCOMPARE(readFile(win.ads() + QStringLiteral("/64tova00.jpg")), patternBytes(700, 7));
    QCOMPARE(env.endCount(), 0);
    QVERIFY(win.form->isVisible());
    QCOMPARE(env.app().AdsRoot, env.programDir());
}

void TestRemoveAds::linkedAdsFolderIsLeftAlone() {
    TestEnv env;
    Window win(env);
    const QString elsewhere = env.makeFolder(QStringLiteral("elsewhere"));
    writeFile(elsewhere + QStringLiteral("/64tova00.jpg"), "not ours");
    writeFile(elsewhere + QStringLiteral("/64tova01.jpg"), "not ours");
    QVERIFY(QFile::link(elsewhere, win.ads()));
    env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
    win.form->mnuRemove->trigger();
    QCOMPARE(entriesOf(elsewhere), (QStringList{"64tova00.jpg", "64tova01.jpg"}));
    QVERIFY(QFileInfo(win.ads()).isSymLink());
    QCOMPARE(env.messages().calls.size(), 2);
    QVERIFY(env.messages().calls[1].text.contains(QStringLiteral(": 2 of 2 files remain in")));
    checkEnded(env, win);
}

void TestRemoveAds::hwiCopiesInTheUsersFolderAreRemoved() {
    TestEnv env;
    Window win(env);
    // Started with HWI from a folder that cannot be written: the copies went
    // to the user's own folder.
    writeFile(win.ads() + QStringLiteral("/64tova00.jpg"), patternBytes(700, 7));
    env.app().MediaRoot = env.app().AdsRoot = env.programDir();
    const QString data = env.makeFolder(QStringLiteral("data"));
    env.app().platform.program.CopyPath = data;
    writeFile(data + QStringLiteral("/ads/64tova00.jpg"), "copy");
    env.messages().replies = {MsgReply::Yes, MsgReply::Ok};
    win.form->mnuRemove->trigger();
    QCOMPARE(env.messages().calls.size(), 2);
    QCOMPARE(env.messages().calls[1].text, Removed);
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/ads")));
    QCOMPARE(readFile(win.ads() + QStringLiteral("/64tova00.jpg")), patternBytes(700, 7));
    QCOMPARE(env.endCount(), 1);
}

QTEST_MAIN(TestRemoveAds)
#include "tst_removeads.moc"
