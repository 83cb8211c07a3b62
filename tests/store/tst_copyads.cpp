// The copy engine: the list, the block copy and its gauges, the result, and
// the faults a copy meets on the way (a full disk, a read-only destination,
// a medium that disappears), each with nothing lost.
#include "fixtures.h"
#include "platform/msgboxstyle.h"
#include "store/copyads.h"
#include "storetestkit.h"

#include <QDir>
#include <QtTest>

class TestCopyAds : public QObject {
    Q_OBJECT
private slots:
    void gaugeLevel_data();
    void gaugeLevel();
    void blocksAndGauges_data();
    void blocksAndGauges();
    void smallFileKeepsPreviousSource();
    void caseOnlyNamesStayApart();
    void partialCopyIsCompleted();
    void emptyAdsFolder();
    void listingFailure_data();
    void listingFailure();
    void sameFileIsLeftAlone();
    void injectedFullDisk();
    void smallDiskFillsUp();
    void readOnlyDestination();
    void mediumGoneBoundsTheBoxes();
    void replacedCopyIsFlushedFirst();
    void overallGaugeStopsAt100();
};

namespace {

const QString Success = QStringLiteral("Ads successfully copied!\r\n");

// A medium on D: holding the given files (name → bytes) in its ads folder.
struct Medium {
    explicit Medium(TestEnv& env) : env(env), folder(env.makeFolder(QStringLiteral("cd"))) {
        env.mapDrive(QLatin1Char('D'), folder);
        env.app().MediaRoot = QStringLiteral("D:");
        env.app().AdsRoot = QStringLiteral("D:");
    }
    void add(const QString& name, const QByteArray& bytes) {
        writeFile(folder + QStringLiteral("/ads/") + name, bytes);
    }
    TestEnv& env;
    QString folder;
};

QString programAds(TestEnv& env) {
    return env.programDir() + QStringLiteral("/ads");
}

} // namespace

void TestCopyAds::gaugeLevel_data() {
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("level");
    QTest::newRow("41.67 rounds up") << 41.6667 << 42;
    QTest::newRow("half goes to even below") << 42.5 << 42;
    QTest::newRow("half goes to even above") << 43.5 << 44;
    QTest::newRow("a half is nothing yet") << 0.5 << 0;
    QTest::newRow("negative is empty") << -3.0 << 0;
    QTest::newRow("just over 100") << 100.4 << 100;
    QTest::newRow("far over 100") << 131.0 << 100;
    QTest::newRow("not a number") << qQNaN() << 0;
}

void TestCopyAds::gaugeLevel() {
    QFETCH(double, percent);
    QFETCH(int, level);
    QCOMPARE(GaugeLevel(percent), level);
}

void TestCopyAds::blocksAndGauges_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("fileGauge");
    QTest::addColumn<int>("blocks");
    // A slowed drive hands out its own reader: no kernel copy, the buffer.
    QTest::addColumn<bool>("slowed");
    QTest::newRow("60000: two blocks and a rest") << 60000 << QList<int>{42, 83, 100} << 2 << false;
    QTest::newRow("60000 from a slowed drive") << 60000 << QList<int>{42, 83, 100} << 2 << true;
    QTest::newRow("50000: two blocks, no rest") << 50000 << QList<int>{50, 100, 100} << 2 << false;
    QTest::newRow("25000: one block") << 25000 << QList<int>{100, 100} << 1 << false;
    QTest::newRow("24999: no block") << 24999 << QList<int>{100} << 0 << false;
    QTest::newRow("empty file") << 0 << QList<int>{100} << 0 << false;
}

void TestCopyAds::blocksAndGauges() {
    QFETCH(int, size);
    QFETCH(QList<int>, fileGauge);
    QFETCH(int, blocks);
    QFETCH(bool, slowed);
    TestEnv env;
    Medium cd(env);
    if (slowed)
        env.mapDrive(QLatin1Char('D'), cd.folder,
                     SlowVolume::Speed{std::chrono::milliseconds(0), 1e12});
    const QByteArray bytes = patternBytes(size, 1);
    cd.add(QStringLiteral("64tova00.jpg"), bytes);
    env.messages().replies = {MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);

    QCOMPARE(readFile(programAds(env) + QStringLiteral("/64tova00.jpg")), bytes);
    QCOMPARE(view.fileGauge, fileGauge + QList<int>{0});
    QCOMPARE(run.CopyBytesLeft, qint64(AdsTotalBytes) - qint64(blocks) * CopyBlockBytes);
    QCOMPARE(view.events, blocks);
    QCOMPARE(view.sources.size(), blocks);
    if (blocks > 0)
        QCOMPARE(view.sources.first(), QStringLiteral("D:\\Ads\\64tova00.jpg"));
    // The overall gauge moves only with full blocks, then shows 100, then 0.
    QCOMPARE(view.runGauge.size(), blocks + 2);
    QCOMPARE(view.runGauge.mid(blocks), (QList<int>{100, 0}));
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, Success);
    QCOMPARE(env.messages().calls[0].style, MsgStyle::Exclamation);
    QCOMPARE(env.messages().calls[0].title, ProductTitle);
    QCOMPARE(env.app().MessageReply, QStringLiteral("1"));
    QCOMPARE(env.app().AdsRoot, env.programDir());
    QCOMPARE(view.busyChanges, (QList<bool>{true, false}));
    QVERIFY(!view.panelVisible);
    QVERIFY(view.buttonsEnabled);
    QCOMPARE(env.app().platform.pointer.current(), MousePointer::Default);
}

void TestCopyAds::smallFileKeepsPreviousSource() {
    TestEnv env;
    Medium cd(env);
    cd.add(QStringLiteral("64tova00.jpg"), patternBytes(60000, 1));
    cd.add(QStringLiteral("64tova01.jpg"), patternBytes(900, 2));
    env.messages().replies = {MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);
    // Text2 changes only with full blocks, so the small file never shows.
    QCOMPARE(view.sources, QStringList(2, QStringLiteral("D:\\Ads\\64tova00.jpg")));
    QCOMPARE(run.CopySource, QStringLiteral("D:\\Ads\\64tova01.jpg"));
    QCOMPARE(run.CopyDest, env.programDir() + QStringLiteral("\\Ads\\64tova01.jpg"));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/64tova01.jpg")), patternBytes(900, 2));
}

void TestCopyAds::caseOnlyNamesStayApart() {
    TestEnv env;
    Medium cd(env);
    const QStringList names{QStringLiteral("b.jpg"), QStringLiteral("A.jpg"),
                            QStringLiteral("a.jpg")};
    for (int i = 0; i < names.size(); ++i)
        cd.add(names[i], patternBytes(30000, i));
    CopyRun run;
    QVERIFY(BuildFileList(env.app(), run));
    QCOMPARE(run.AdsFileCount, 3);
    QCOMPARE(run.AdsFileList,
             (QStringList{QString(), QStringLiteral("D:\\Ads\\A.jpg"),
                          QStringLiteral("D:\\Ads\\a.jpg"), QStringLiteral("D:\\Ads\\b.jpg")}));

    env.messages().replies = {MsgReply::Ok};
    RecordingCopyView view;
    RunCopyCommand(env.app(), run, view);
    QCOMPARE(view.sources,
             (QStringList{QStringLiteral("D:\\Ads\\A.jpg"), QStringLiteral("D:\\Ads\\a.jpg"),
                          QStringLiteral("D:\\Ads\\b.jpg")}));
    // Two names that differ only in case are two files here: neither is lost.
    QCOMPARE(entriesOf(programAds(env)), (QStringList{"A.jpg", "a.jpg", "b.jpg"}));
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(readFile(programAds(env) + QLatin1Char('/') + names[i]), patternBytes(30000, i));
}

void TestCopyAds::partialCopyIsCompleted() {
    TestEnv env;
    Medium cd(env);
    cd.add(QStringLiteral("70tova00.jpg"), patternBytes(26000, 1));
    cd.add(QStringLiteral("70tova01.jpg"), patternBytes(27000, 2));
    cd.add(QStringLiteral("71tova00.jpg"), patternBytes(28000, 3));
    // An earlier run stopped after the first file; the pictures are read
    // from the program folder since.
    writeFile(programAds(env) + QStringLiteral("/70tova00.jpg"), "old copy");
    env.app().AdsRoot = env.programDir();
    env.messages().replies = {MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);
    QCOMPARE(entriesOf(programAds(env)),
             (QStringList{"70tova00.jpg", "70tova01.jpg", "71tova00.jpg"}));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/70tova00.jpg")), patternBytes(26000, 1));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/70tova01.jpg")), patternBytes(27000, 2));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/71tova00.jpg")), patternBytes(28000, 3));
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, Success);
}

void TestCopyAds::emptyAdsFolder() {
    TestEnv env;
    Medium cd(env);
    QDir().mkpath(cd.folder + QStringLiteral("/ads"));
    env.messages().replies = {MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);
    QCOMPARE(run.AdsFileCount, 0);
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, Success);
    QCOMPARE(entriesOf(programAds(env)), QStringList());
    // Nothing to read pictures from in the program folder: they stay on the medium.
    QCOMPARE(env.app().AdsRoot, QStringLiteral("D:"));
    QCOMPARE(view.runGauge, (QList<int>{100, 0}));
}

void TestCopyAds::listingFailure_data() {
    QTest::addColumn<bool>("retry");
    QTest::newRow("Retry after the disc is back") << true;
    QTest::newRow("Cancel ends the program") << false;
}

void TestCopyAds::listingFailure() {
    QFETCH(bool, retry);
    TestEnv env;
    const QString cd = env.root() + QStringLiteral("/cd"); // a drive with no disc yet
    env.mapDrive(QLatin1Char('D'), cd);
    env.app().MediaRoot = env.app().AdsRoot = QStringLiteral("D:");
    env.messages().replies =
        retry ? QList<int>{MsgReply::Retry, MsgReply::Ok} : QList<int>{MsgReply::Cancel};
    env.messages().onShow = [&](const MessageCall& call) {
        if (call.style == MsgStyle::RetryCancel && retry)
            writeFile(cd + QStringLiteral("/ads/80tova00.jpg"), patternBytes(30000, 8));
    };
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);

    const auto& calls = env.messages().calls;
    QVERIFY(!calls.isEmpty());
    QCOMPARE(calls[0].text, QStringLiteral("Error number: ca001\r\n\r\n\r\n\r\nMake sure that "
                                           "Kestrun Ads: The Marketing of Ruzariz's Zephcar is "
                                           "in CDROM drive."));
    QCOMPARE(env.app().MediaErrorCode, QStringLiteral("ca001"));
    if (retry) {
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[1].text, Success);
        QCOMPARE(readFile(programAds(env) + QStringLiteral("/80tova00.jpg")),
                 patternBytes(30000, 8));
        QCOMPARE(env.endCount(), 0);
    } else {
        QCOMPARE(calls.size(), 1);
        QCOMPARE(env.endCount(), 1);
        QVERIFY(!QFileInfo::exists(programAds(env)));
        QVERIFY(view.busyChanges.isEmpty());
    }
}

void TestCopyAds::sameFileIsLeftAlone() {
    TestEnv env;
    // Started with HWI: the program folder is the medium.
    env.app().MediaRoot = env.app().AdsRoot = env.programDir();
    const QByteArray big = patternBytes(70000, 1), small = patternBytes(100, 2);
    writeFile(programAds(env) + QStringLiteral("/64tova00.jpg"), big);
    writeFile(programAds(env) + QStringLiteral("/64tova01.jpg"), small);
    env.messages().replies = {MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/64tova00.jpg")), big);
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/64tova01.jpg")), small);
    QCOMPARE(entriesOf(programAds(env)), (QStringList{"64tova00.jpg", "64tova01.jpg"}));
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, Success);
    // Its blocks still count towards the run.
    QCOMPARE(run.CopyBytesLeft, qint64(AdsTotalBytes) - 2 * CopyBlockBytes);
}

void TestCopyAds::injectedFullDisk() {
    TestEnv env;
    Medium cd(env);
    for (int n = 0; n < 3; ++n)
        cd.add(QStringLiteral("61tova0%1.jpg").arg(n), patternBytes(60000, n));
    const QByteArray old = patternBytes(1234, 99);
    writeFile(programAds(env) + QStringLiteral("/61tova01.jpg"), old);
    auto& files = env.app().platform.files;
    files = std::make_shared<FullDiskFiles>(std::make_shared<DriveMap>(files->drives()),
                                            QStringList{QStringLiteral("61tova01.jpg")}, 30000);
    env.messages().replies = {MsgReply::Ok, MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);

    const auto& calls = env.messages().calls;
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].text, QStringLiteral("No space left on device\r\n\r\nD:\\Ads\\61tova01.jpg"));
    QCOMPARE(calls[0].style, MsgStyle::OkOnly);
    QCOMPARE(calls[0].title, QString());
    QCOMPARE(calls[1].text, QStringLiteral("1 of 3 files could not be copied to the hard drive:\r\n"
                                           "    61tova01.jpg\r\n\r\n"
                                           "The ads will still be read from the CD-ROM.\r\n"));
    QCOMPARE(calls[1].style, MsgStyle::Exclamation);
    QCOMPARE(calls[1].title, ProductTitle);
    QCOMPARE(env.app().MessageText, calls[1].text);
    // The earlier copy survives; the files around it were copied; no leftovers.
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/61tova01.jpg")), old);
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/61tova00.jpg")), patternBytes(60000, 0));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/61tova02.jpg")), patternBytes(60000, 2));
    QCOMPARE(entriesOf(programAds(env)),
             (QStringList{"61tova00.jpg", "61tova01.jpg", "61tova02.jpg"}));
    QCOMPARE(env.app().AdsRoot, QStringLiteral("D:"));
    QCOMPARE(env.app().platform.pointer.current(), MousePointer::Default);
}

void TestCopyAds::smallDiskFillsUp() {
    TestEnv env;
    Medium cd(env);
    for (int n = 0; n < 6; ++n)
        cd.add(QStringLiteral("62tova0%1.jpg").arg(n), patternBytes(100000, n));
    const QString disk = env.makeFolder(QStringLiteral("small"));
    SmallDisk small(disk, 256);
    if (!small.ok())
        SKIP_OR_FAIL("cannot mount a small tmpfs here (needs root and mount); "
                     "the injected full disk covers this");
    env.app().platform.program.CopyPath = disk;
    env.messages().replies = QList<int>(MaxCopyErrorBoxes + 1, MsgReply::Ok);
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);

    QVERIFY(!run.failedNames.isEmpty());
    QVERIFY(run.failedNames.size() < 6);
    // How many files fit depends on the filesystem, and with it how many boxes come.
    QCOMPARE(env.messages().calls.size(),
             std::min<qsizetype>(run.failedNames.size(), MaxCopyErrorBoxes) + 1);
    env.messages().dropUnusedReplies();
    const QStringList left = entriesOf(disk + QStringLiteral("/ads"));
    // Whatever is there is whole; whatever failed left nothing behind.
    QCOMPARE(left.size() + run.failedNames.size(), 6);
    for (const QString& name : left) {
        QVERIFY2(!name.startsWith(QLatin1Char('.')), qPrintable(name));
        const int n = name.mid(7, 1).toInt();
        QCOMPARE(readFile(disk + QStringLiteral("/ads/") + name), patternBytes(100000, n));
    }
    QVERIFY2(env.messages().calls.first().text.startsWith(QStringLiteral("No space left")),
             qPrintable(env.messages().calls.first().text));
    QVERIFY(env.messages().calls.last().text.contains(QStringLiteral(" of 6 files could not")));
    QCOMPARE(env.app().AdsRoot, QStringLiteral("D:"));
}

void TestCopyAds::readOnlyDestination() {
    TestEnv env;
    Medium cd(env);
    cd.add(QStringLiteral("63tova00.jpg"), patternBytes(40000, 1));
    cd.add(QStringLiteral("63tova01.jpg"), patternBytes(40000, 2));
    writeFile(programAds(env) + QStringLiteral("/63tova00.jpg"), "earlier copy");
    Unchangeable locked(programAds(env));
    if (!locked.ok())
        SKIP_OR_FAIL("cannot make a folder read-only here (chattr +i as root)");
    env.messages().replies = {MsgReply::Ok, MsgReply::Ok, MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);

    QCOMPARE(run.failedNames, (QStringList{"63tova00.jpg", "63tova01.jpg"}));
    const auto& calls = env.messages().calls;
    QCOMPARE(calls.size(), 3);
    QVERIFY(calls[0].text.endsWith(QStringLiteral("\r\n\r\nD:\\Ads\\63tova00.jpg")));
    QVERIFY(calls[2].text.startsWith(QStringLiteral("2 of 2 files could not be copied")));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/63tova00.jpg")),
             QByteArray("earlier copy"));
    QCOMPARE(entriesOf(programAds(env)), QStringList{"63tova00.jpg"});
    QCOMPARE(env.app().AdsRoot, QStringLiteral("D:"));
}

void TestCopyAds::mediumGoneBoundsTheBoxes() {
    TestEnv env;
    Medium cd(env);
    cd.add(QStringLiteral("65tova00.jpg"), patternBytes(60000, 0));
    for (int n = 1; n < 9; ++n)
        cd.add(QStringLiteral("65tova0%1.jpg").arg(n), patternBytes(50, n));
    // Earlier copies of the files that will fail.
    for (int n = 1; n < 9; ++n)
        writeFile(programAds(env) + QStringLiteral("/65tova0%1.jpg").arg(n), "earlier");
    env.app().AdsRoot = env.programDir();
    RecordingCopyView view;
    // The disc is taken out during the first file.
    view.onDoEvents = [&] {
        if (QFileInfo::exists(cd.folder))
            QVERIFY(QDir().rename(cd.folder, cd.folder + QStringLiteral("-out")));
    };
    env.messages().replies = QList<int>(4, MsgReply::Ok);
    CopyRun run;
    RunCopyCommand(env.app(), run, view);

    const auto& calls = env.messages().calls;
    QCOMPARE(calls.size(), MaxCopyErrorBoxes + 1);
    QCOMPARE(calls[0].text, QStringLiteral("Device unavailable\r\n\r\nD:\\Ads\\65tova01.jpg"));
    QVERIFY(!calls[1].text.contains(QStringLiteral("further")));
    QVERIFY(calls[2].text.endsWith(QStringLiteral("Any further files that cannot be copied will "
                                                  "be counted and named when the copy ends.")));
    QCOMPARE(calls[3].text,
             QStringLiteral("8 of 9 files could not be copied to the hard drive:\r\n"
                            "    65tova01.jpg\r\n    65tova02.jpg\r\n    65tova03.jpg\r\n"
                            "    65tova04.jpg\r\n    65tova05.jpg\r\n    and 3 more\r\n\r\n"
                            "A file that could not be copied keeps its earlier copy, if any.\r\n"));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/65tova00.jpg")), patternBytes(60000, 0));
    for (int n = 1; n < 9; ++n)
        QCOMPARE(readFile(programAds(env) + QStringLiteral("/65tova0%1.jpg").arg(n)),
                 QByteArray("earlier"));
    QCOMPARE(env.app().AdsRoot, env.programDir());
}

void TestCopyAds::replacedCopyIsFlushedFirst() {
    TestEnv env;
    Medium cd(env);
    for (int n = 0; n < 3; ++n)
        cd.add(QStringLiteral("67tova0%1.jpg").arg(n), patternBytes(30000, n));
    writeFile(programAds(env) + QStringLiteral("/67tova00.jpg"), "older copy 0");
    writeFile(programAds(env) + QStringLiteral("/67tova02.jpg"), "older copy 2");
    auto& files = env.app().platform.files;
    auto watch = std::make_shared<FlushWatchFiles>(std::make_shared<DriveMap>(files->drives()),
                                                   QStringList{QStringLiteral("67tova02.jpg")});
    files = watch;
    env.messages().replies = {MsgReply::Ok, MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);

    // Each older copy was still in place, and the new one complete, when the
    // new bytes were flushed: the flush came before the rename.
    QList<FlushRecord> flushes = watch->flushes();
    QCOMPARE(flushes.size(), 2);
    QCOMPARE(QFileInfo(flushes[0].target).fileName(), QStringLiteral("67tova00.jpg"));
    QCOMPARE(flushes[0].targetBefore, QByteArray("older copy 0"));
    QCOMPARE(flushes[0].written, patternBytes(30000, 0));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/67tova00.jpg")), patternBytes(30000, 0));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/67tova01.jpg")), patternBytes(30000, 1));
    // A flush that fails keeps the older copy and says why.
    QCOMPARE(QFileInfo(flushes[1].target).fileName(), QStringLiteral("67tova02.jpg"));
    QCOMPARE(readFile(programAds(env) + QStringLiteral("/67tova02.jpg")),
             QByteArray("older copy 2"));
    QCOMPARE(env.messages().calls[0].text,
             QStringLiteral("Input/output error\r\n\r\nD:\\Ads\\67tova02.jpg"));
    QCOMPARE(entriesOf(programAds(env)),
             (QStringList{"67tova00.jpg", "67tova01.jpg", "67tova02.jpg"}));
}

void TestCopyAds::overallGaugeStopsAt100() {
    TestEnv env;
    Medium cd(env);
    // More full blocks than the whole set is reckoned at: a sparse file costs little.
    const qint64 size = 38500000;
    {
        QDir().mkpath(cd.folder + QStringLiteral("/ads"));
        QFile f(cd.folder + QStringLiteral("/ads/99tova00.jpg"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(size));
    }
    env.messages().replies = {MsgReply::Ok};
    RecordingCopyView view;
    CopyRun run;
    RunCopyCommand(env.app(), run, view);
    QCOMPARE(run.CopyBytesLeft, qint64(AdsTotalBytes) - 1540 * qint64(CopyBlockBytes));
    QVERIFY(run.CopyBytesLeft < 0);
    QCOMPARE(*std::max_element(view.runGauge.begin(), view.runGauge.end()), 100);
    QVERIFY(std::is_sorted(view.runGauge.begin(), view.runGauge.end() - 1));
    QCOMPARE(QFileInfo(programAds(env) + QStringLiteral("/99tova00.jpg")).size(), size);
}

QTEST_MAIN(TestCopyAds)
#include "tst_copyads.moc"
