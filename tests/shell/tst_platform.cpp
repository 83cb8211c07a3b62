// The platform layer: drive letters, path resolution, Dir, number texts and
// the single-instance lock.
#include "fixtures.h"
#include "platform/vbnumber.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void pathsMatchWithoutRegardToCase();
    void dirListsNormalFilesInBinaryOrder();
    void dirFailsQuietly();
    void wildcard_data();
    void wildcard();
    void driveSpecParsing();
    void pathsCannotClimbOutOfAVolume();
    void numberTexts();
    void settingTextsToNumbers();
    void instanceLockRefusesSecondCopy();
    void staleInstanceLockDoesNotBlock();
};

static void touch(const QString& path, const QByteArray& data = "x") {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

void TestPlatform::pathsMatchWithoutRegardToCase() {
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    QDir(cd).mkpath(QStringLiteral("ADS"));
    QDir(cd).mkpath(QStringLiteral("RichText"));
    touch(cd + QStringLiteral("/ADS/64TOVA00.JPG"), "12345");
    touch(cd + QStringLiteral("/RichText/NOTICE.RTF"));
    env.mapDrive(QLatin1Char('E'), cd);
    Files& files = *env.app().platform.files;

    QCOMPARE(files.Dir(QStringLiteral("E:\\ads\\*.jpg")), QStringLiteral("64TOVA00.JPG"));
    QCOMPARE(files.Dir(QStringLiteral("e:/Ads/64tova00.jpg")), QStringLiteral("64TOVA00.JPG"));
    QCOMPARE(files.FileLen(QStringLiteral("E:\\ads\\64tova00.jpg")), std::optional<qint64>(5));
    QVERIFY(files.exists(QStringLiteral("E:\\richtext\\notice.rtf")));
    QVERIFY(!files.exists(QStringLiteral("E:\\richtext\\register.rtf")));
    auto dev = files.openRead(QStringLiteral("E:\\Ads\\64Tova00.jpg"));
    QVERIFY(dev);
    QCOMPARE(dev->readAll(), QByteArray("12345"));

    // The program folder is a host path followed by the composed part.
    writeAds(env.programDir(), 1972, {0});
    QCOMPARE(files.Dir(env.programDir() + QStringLiteral("\\ads\\*.jpg")),
             QStringLiteral("72tova00.jpg"));
    QCOMPARE(files.hostPathForWrite(env.programDir() + QStringLiteral("\\Ads\\new.jpg")),
             env.programDir() + QStringLiteral("/ads/new.jpg"));
}

void TestPlatform::dirListsNormalFilesInBinaryOrder() {
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    QDir(cd).mkpath(QStringLiteral("ads/zz.jpg")); // a folder is never a match
    touch(cd + QStringLiteral("/ads/b.jpg"));
    touch(cd + QStringLiteral("/ads/B.JPG"));
    touch(cd + QStringLiteral("/ads/a.jpg"));
    touch(cd + QStringLiteral("/ads/.hidden.jpg"));
    touch(cd + QStringLiteral("/ads/readme.txt"));
    // Links are taken for what they lead to.
    QFile::link(cd + QStringLiteral("/ads/zz.jpg"), cd + QStringLiteral("/ads/dir.jpg"));
    QFile::link(cd + QStringLiteral("/ads/a.jpg"), cd + QStringLiteral("/ads/c.jpg"));
    env.mapDrive(QLatin1Char('D'), cd);
    const Files& files = *env.app().platform.files;
    QCOMPARE(files.DirAll(QStringLiteral("D:\\ads\\*.jpg")),
             (QStringList{QStringLiteral("B.JPG"), QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                          QStringLiteral("c.jpg")}));
    QCOMPARE(files.Dir(QStringLiteral("D:\\ads\\*.jpg")), QStringLiteral("B.JPG"));
}

void TestPlatform::dirFailsQuietly() {
    TestEnv env;
    env.mapDrive(QLatin1Char('F'), env.root() + QStringLiteral("/no-such-disc"));
    const Files& files = *env.app().platform.files;
    QCOMPARE(files.Dir(QStringLiteral("F:\\ads\\*.jpg")), QString()); // drive with no disc
    QCOMPARE(files.Dir(QStringLiteral("G:\\ads\\*.jpg")), QString()); // letter with no volume
    QCOMPARE(files.Dir(QStringLiteral("relative\\ads\\*.jpg")), QString());
    QCOMPARE(files.Dir(QString()), QString());
    QVERIFY(!files.FileLen(QStringLiteral("F:\\ads\\64tova00.jpg")));
    QVERIFY(!files.openRead(QStringLiteral("F:\\ads")));
}

void TestPlatform::wildcard_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("match");
    QTest::newRow("star ext") << "*.jpg"
                              << "64tova00.JPG" << true;
    QTest::newRow("other ext") << "*.jpg"
                               << "64tova00.jpeg" << false;
    QTest::newRow("exact") << "64tova00.jpg"
                           << "64TOVA00.jpg" << true;
    QTest::newRow("question") << "64tova0?.jpg"
                              << "64tova07.jpg" << true;
    QTest::newRow("question needs a char") << "64tova0?.jpg"
                                           << "64tova0.jpg" << false;
    QTest::newRow("two stars") << "*tova*.jpg"
                               << "99tova30.jpg" << true;
    QTest::newRow("star alone") << "*"
                                << "anything" << true;
    QTest::newRow("backtrack") << "*a*b"
                               << "xxaxxbxb" << true;
}

void TestPlatform::wildcard() {
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, match);
    QCOMPARE(Files::wildcardMatch(pattern, name), match);
}

void TestPlatform::driveSpecParsing() {
    const DriveMap map =
        DriveMap::fromText(QStringLiteral("D=/one;e=/two;bad;1=/x;Q=;XY=/z; ;G=/with;semi"));
    QCOMPARE(map.letters(), (QList<QChar>{QLatin1Char('D'), QLatin1Char('E'), QLatin1Char('G')}));
    QCOMPARE(map.volume(QLatin1Char('e'))->description(), QStringLiteral("/two"));
    QVERIFY(!map.volume(QLatin1Char('F')));
    QVERIFY(DriveMap::fromText(QString()).letters().isEmpty());
}

void TestPlatform::pathsCannotClimbOutOfAVolume() {
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    touch(env.root() + QStringLiteral("/secret.jpg"));
    env.mapDrive(QLatin1Char('D'), cd);
    const Files& files = *env.app().platform.files;
    QVERIFY(!files.exists(QStringLiteral("D:\\..\\secret.jpg")));
    QCOMPARE(files.Dir(QStringLiteral("D:\\..\\*.jpg")), QString());
}

void TestPlatform::numberTexts() {
    QCOMPARE(singleToText(1440), QStringLiteral("1440"));
    QCOMPARE(singleToText(-60), QStringLiteral("-60"));
    QCOMPARE(singleToText(0), QStringLiteral("0"));
    QCOMPARE(singleToText(11965), QStringLiteral("11965"));
    QCOMPARE(singleToText(0.5f), QStringLiteral(".5"));
    QCOMPARE(StrSingle(1024), QStringLiteral(" 1024"));
    QCOMPARE(StrSingle(float(12288.0 / 15)), QStringLiteral(" 819.2"));
    QCOMPARE(StrSingle(float(9216.0 / 15)), QStringLiteral(" 614.4"));
    QCOMPARE(StrSingle(-3), QStringLiteral("-3"));
    QCOMPARE(singleToText(123456789.0f), QStringLiteral("1.234568E+08"));
}

void TestPlatform::settingTextsToNumbers() {
    float v = 0;
    QVERIFY(textToSingle(QStringLiteral(" 1440 "), &v));
    QCOMPARE(v, 1440.0f);
    QVERIFY(textToSingle(QStringLiteral("-60"), &v));
    QCOMPARE(v, -60.0f);
    for (const char* bad : {"", "abc", "12px", "1e40", "nan", "inf"})
        QVERIFY2(!textToSingle(QString::fromLatin1(bad), &v), bad);
}

void TestPlatform::instanceLockRefusesSecondCopy() {
    TestEnv env;
    InstanceLock first(env.root() + QStringLiteral("/lock"));
    InstanceLock second(env.root() + QStringLiteral("/lock"));
    QVERIFY(first.tryAcquire());
    QVERIFY(first.tryAcquire()); // holding it already is fine
    QVERIFY(!second.tryAcquire());
    first.release();
    QVERIFY(second.tryAcquire());
}

void TestPlatform::staleInstanceLockDoesNotBlock() {
    TestEnv env;
    // A copy that crashed leaves its lock file, naming a process that is gone.
    QProcess gone;
    gone.start(QStringLiteral("true"));
    QVERIFY(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    QVERIFY(gone.waitForFinished());
    const QString path = env.root() + QStringLiteral("/lock");
    touch(path, QByteArray::number(deadPid) + "\nKestrunAds\n" +
                    QSysInfo::machineHostName().toLocal8Bit() + "\n");
    QVERIFY(QFile::exists(path));
    InstanceLock lock(path);
    QVERIFY(lock.tryAcquire());
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
