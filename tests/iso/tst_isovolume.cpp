// CD image files read as volumes: the three naming schemes, reading files
// whole, in pieces and compressed, damaged images, images that change, and
// the ways an image reaches a drive letter.
#include "demo_medium.h"
#include "fixtures.h"
#include "isoimages.h"
#include "media/imageargument.h"
#include "media/isovolume.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <unistd.h>

class TestIsoVolume : public QObject {
    Q_OBJECT
private slots:
    void namings_data();
    void namings();
    void readsInPieces();
    void jolietNamesKeepEveryLetter();
    void compressedFilesReadThroughLibarchive();
    void hardLinkedFilesShareTheirBytes();
    void damagedImagesHoldNoDisc_data();
    void damagedImagesHoldNoDisc();
    void imageWithoutItsPaddingStillReads();
    void imageThatChangesIsReadAgain();
    void volumeForHostPath_data();
    void volumeForHostPath();
    void firstFreeLetter();
    void imageArguments_data();
    void imageArguments();
    void desktopEntryOpensImages();
};

Q_DECLARE_METATYPE(Naming)

namespace {

// A small medium in folder "cd" of the test's root: two years (one with a
// gap) and the documents.
QString writeMedium(const TestEnv& env) {
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0, 1});
    writeAds(cd, 1966, {0, 1, 3}, QSize(300, 400));
    writeDocuments(cd);
    return cd;
}

QStringList namesOf(const std::optional<QList<VolumeEntry>>& entries) {
    QStringList names;
    for (const VolumeEntry& e : entries.value_or(QList<VolumeEntry>()))
        names << e.name;
    return names;
}

// Files with only the image at E:.
Files filesWithImage(const QString& image) {
    auto drives = std::make_shared<DriveMap>();
    drives->setVolume(QLatin1Char('E'), std::make_shared<IsoVolume>(image));
    return Files(drives);
}

} // namespace

void TestIsoVolume::namings_data() {
    QTest::addColumn<Naming>("naming");
    QTest::addColumn<QStringList>("root");
    QTest::addColumn<QString>("firstAd");
    QTest::addColumn<bool>("longNames");
    QTest::newRow("plain level 1")
        << Naming::Plain << QStringList{"ADS", "RICHTEXT"} << "64TOVA00.JPG" << false;
    QTest::newRow("Joliet") << Naming::Joliet << QStringList{"RichText", "ads"} << "64tova00.jpg"
                            << true;
    QTest::newRow("Rock Ridge") << Naming::RockRidge << QStringList{"RichText", "ads"}
                                << "64tova00.jpg" << true;
}

void TestIsoVolume::namings() {
    QFETCH(Naming, naming);
    QFETCH(QStringList, root);
    QFETCH(QString, firstAd);
    QFETCH(bool, longNames);
    TestEnv env;
    const QString cd = writeMedium(env);
    const QString image = env.root() + QStringLiteral("/ads.iso");
    QVERIFY(makeImage(cd, image, naming));
    IsoVolume volume(image);

    QCOMPARE(namesOf(volume.list({})), root);
    const QStringList ads = namesOf(volume.list({root.contains("ads") ? "ads" : "ADS"}));
    QCOMPARE(ads.size(), 5);
    QCOMPARE(ads.first(), firstAd);
    // The version suffix of plain names is no part of the name.
    for (const QString& name : ads)
        QVERIFY2(!name.contains(QLatin1Char(';')), qPrintable(name));
    QVERIFY(volume.hostPath({}).isEmpty());

    // The program's own paths find every file, in any letter case, and read
    // the same bytes as the folder the image was made from.
    const Files files = filesWithImage(image);
    QCOMPARE(files.Dir(QStringLiteral("E:\\ads\\*.jpg")), firstAd);
    QCOMPARE(files.DirAll(QStringLiteral("E:\\Ads\\66tova??.jpg")).size(), 3);
    QVERIFY(!files.exists(QStringLiteral("E:\\ads\\66tova02.jpg")));
    for (const QString& name : QDir(cd + QStringLiteral("/ads")).entryList(QDir::Files)) {
        const QString path = QStringLiteral("E:\\ads\\") + name.toUpper();
        const QByteArray want = fileBytes(cd + QStringLiteral("/ads/") + name);
        QCOMPARE(files.FileLen(path), std::optional<qint64>(want.size()));
        auto device = files.openRead(path);
        QVERIFY2(device, qPrintable(path));
        QCOMPARE(device->size(), qint64(want.size()));
        QCOMPARE(device->readAll(), want);
    }
    auto notice = files.openRead(QStringLiteral("E:\\RichText\\notice.rtf"));
    QVERIFY(notice);
    QCOMPARE(notice->readAll(), fileBytes(cd + QStringLiteral("/RichText/notice.rtf")));
    // Level 1 keeps eight letters of a name: the checklist is "KESTRUNA.RTF" there.
    QCOMPARE(files.exists(QStringLiteral("E:\\RichText\\KestrunAdsList.rtf")), longNames);
    QVERIFY(!files.openRead(QStringLiteral("E:\\RichText")));
    QVERIFY(volume.stat({root.last()})->isDir);
}

void TestIsoVolume::readsInPieces() {
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1980, {0}, QSize(900, 1200));
    const QString image = env.root() + QStringLiteral("/ads.iso");
    QVERIFY(makeImage(cd, image, Naming::RockRidge));
    const QByteArray want = fileBytes(cd + QStringLiteral("/ads/80tova00.jpg"));
    QVERIFY(want.size() > 30000);

    auto device = filesWithImage(image).openRead(QStringLiteral("E:\\ads\\80tova00.jpg"));
    QVERIFY(device);
    QVERIFY(!device->isSequential());
    QVERIFY(device->seek(20000));
    QCOMPARE(device->read(5000), want.mid(20000, 5000));
    QVERIFY(device->seek(10));
    QCOMPARE(device->read(100), want.mid(10, 100));
    QVERIFY(device->seek(want.size() - 7));
    QCOMPARE(device->read(100), want.right(7));
    QVERIFY(device->atEnd());
    QCOMPARE(device->read(10), QByteArray());
    QVERIFY(!device->seek(want.size() + 1));
}

void TestIsoVolume::jolietNamesKeepEveryLetter() {
    // Whatever the locale the program runs in.
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    const QString name = QStringLiteral("Coupé Übersicht.rtf");
    QDir().mkpath(cd + QStringLiteral("/RichText"));
    QVERIFY(writeBytes(cd + QStringLiteral("/RichText/") + name, "{\\rtf1 x}"));
    const QString image = env.root() + QStringLiteral("/names.iso");
    QVERIFY(makeImage(cd, image, Naming::Joliet));
    IsoVolume volume(image);
    QCOMPARE(namesOf(volume.list({QStringLiteral("RichText")})), QStringList{name});
    const Files files = filesWithImage(image);
    auto device = files.openRead(QStringLiteral("E:\\richtext\\COUPÉ ÜBERSICHT.RTF"));
    QVERIFY(device);
    QCOMPARE(device->readAll(), QByteArray("{\\rtf1 x}"));
}

void TestIsoVolume::compressedFilesReadThroughLibarchive() {
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1970, {0});
    QDir().mkpath(cd + QStringLiteral("/RichText"));
    QByteArray text;
    for (int i = 0; text.size() < 300000; ++i)
        text += QByteArray("{\\par Line ") + QByteArray::number(i) + " of the checklist}\n";
    QVERIFY(writeBytes(cd + QStringLiteral("/RichText/KestrunAdsList.rtf"), text));
    const QString image = env.root() + QStringLiteral("/zisofs.iso");
    QVERIFY(
        makeImageWith(image, {"-map", cd, "/", "-set_filter_r", "--zisofs", "/RichText", "--"}));
    // The disc holds the document compressed: its text is nowhere in the file.
    QVERIFY(!fileBytes(image).contains(text.mid(150000, 200)));

    const Files files = filesWithImage(image);
    auto device = files.openRead(QStringLiteral("E:\\RichText\\KestrunAdsList.rtf"));
    QVERIFY(device);
    QCOMPARE(device->size(), qint64(text.size()));
    QCOMPARE(device->read(1000), text.left(1000));
    QVERIFY(device->seek(250000));
    QCOMPARE(device->read(5000), text.mid(250000, 5000));
    QVERIFY(device->seek(3));
    QCOMPARE(device->readAll(), text.mid(3));
    // The pictures beside it are stored as they are.
    auto ad = files.openRead(QStringLiteral("E:\\ads\\70tova00.jpg"));
    QVERIFY(ad);
    QCOMPARE(ad->readAll(), fileBytes(cd + QStringLiteral("/ads/70tova00.jpg")));
}

void TestIsoVolume::hardLinkedFilesShareTheirBytes() {
    // The disc stores one copy of the bytes; libarchive names the second
    // file a link to the first.
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0, 1});
    const QString ads = cd + QStringLiteral("/ads/");
    QCOMPARE(::link(QFile::encodeName(ads + "64tova00.jpg").constData(),
                    QFile::encodeName(ads + "65tova00.jpg").constData()),
             0);
    const QString image = env.root() + QStringLiteral("/links.iso");
    QVERIFY(makeImageWith(image, {"-hardlinks", "on", "-map", cd, "/"}));
    const Files files = filesWithImage(image);
    QCOMPARE(files.DirAll(QStringLiteral("E:\\ads\\*.jpg")),
             (QStringList{"64tova00.jpg", "64tova01.jpg", "65tova00.jpg"}));
    const QByteArray want = fileBytes(ads + QStringLiteral("64tova00.jpg"));
    for (const char* name : {"64tova00.jpg", "65tova00.jpg"}) {
        QCOMPARE(files.FileLen(QStringLiteral("E:\\ads\\") + name),
                 std::optional<qint64>(want.size()));
        auto device = files.openRead(QStringLiteral("E:\\ads\\") + name);
        QVERIFY(device);
        QCOMPARE(device->readAll(), want);
    }
}

void TestIsoVolume::damagedImagesHoldNoDisc_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("random bytes") << "random";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("text named .iso") << "text";
    QTest::newRow("cut inside a picture") << "picture";
    QTest::newRow("last file cut short") << "last";
    QTest::newRow("folder record loops to the root") << "loop";
    QTest::newRow("file record points past the end") << "outside";
    QTest::newRow("file record longer than the image") << "long";
}

void TestIsoVolume::damagedImagesHoldNoDisc() {
    QFETCH(QString, damage);
    TestEnv env;
    const QString cd = writeMedium(env);
    const QString image = env.root() + QStringLiteral("/ads.iso");
    QVERIFY(makeImage(cd, image, Naming::Plain));
    QVERIFY(IsoVolume(image).hasDisc());
    const QByteArray disc = fileBytes(image);

    if (damage == QLatin1String("random")) {
        QByteArray bytes(200000, Qt::Uninitialized);
        QRandomGenerator rng(7);
        for (char& c : bytes)
            c = char(rng.bounded(256));
        QVERIFY(writeBytes(image, bytes));
    } else if (damage == QLatin1String("empty")) {
        QVERIFY(writeBytes(image, QByteArray()));
    } else if (damage == QLatin1String("text")) {
        QVERIFY(writeBytes(image, QByteArray("not a disc\n").repeated(5000)));
    } else if (damage == QLatin1String("picture")) {
        const qsizetype at = disc.indexOf(fileBytes(cd + QStringLiteral("/ads/66tova01.jpg")));
        QVERIFY(at > 0);
        QVERIFY(truncateImage(image, at + 1000));
    } else if (damage == QLatin1String("last")) {
        // Every directory record is whole; only the bytes of the file that
        // lies last on the disc are missing.
        const qsizetype last = disc.indexOf(demo::registerRtf());
        QVERIFY(last > 0);
        QVERIFY(truncateImage(image, last + 10));
    } else if (damage == QLatin1String("loop")) {
        QVERIFY(pointRecordAt(image, "ADS", rootBlock(image)));
    } else if (damage == QLatin1String("outside")) {
        QVERIFY(pointRecordAt(image, "64TOVA01.JPG;1", 10000000));
    } else if (damage == QLatin1String("long")) {
        QVERIFY(setRecordLength(image, "64TOVA01.JPG;1", 0xFFFFFF00));
    }

    IsoVolume volume(image);
    QVERIFY(!volume.hasDisc());
    QVERIFY(!volume.list({}));
    QVERIFY(!volume.list({QStringLiteral("ADS")}));
    QVERIFY(!volume.stat({QStringLiteral("ADS"), QStringLiteral("64TOVA00.JPG")}));
    QVERIFY(!volume.resolve({QStringLiteral("ads")}));
    QVERIFY(!volume.openRead({QStringLiteral("ADS"), QStringLiteral("64TOVA00.JPG")}));
    const Files files = filesWithImage(image);
    QCOMPARE(files.Dir(QStringLiteral("E:\\ads\\*.jpg")), QString());
    QVERIFY(!files.listFiles(QStringLiteral("E:\\ads\\*")));
}

void TestIsoVolume::imageWithoutItsPaddingStillReads() {
    // Copies of discs often lack the empty blocks at the end; every file is
    // still there, so the disc is.
    TestEnv env;
    const QString cd = writeMedium(env);
    const QString image = env.root() + QStringLiteral("/ads.iso");
    QVERIFY(makeImage(cd, image, Naming::Joliet));
    const QByteArray disc = fileBytes(image);
    const QByteArray last = demo::registerRtf();
    const qsizetype end = disc.indexOf(last) + last.size();
    QVERIFY(end < disc.size());
    QVERIFY(truncateImage(image, end));
    auto device = filesWithImage(image).openRead(QStringLiteral("E:\\RichText\\Register.rtf"));
    QVERIFY(device);
    QCOMPARE(device->readAll(), last);
}

void TestIsoVolume::imageThatChangesIsReadAgain() {
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0});
    const QString made = env.root() + QStringLiteral("/made.iso");
    QVERIFY(makeImage(cd, made, Naming::Joliet));
    const QString image = env.root() + QStringLiteral("/ads.iso");
    const Files files = filesWithImage(image);

    // No file yet: a drive with no disc.
    QCOMPARE(files.Dir(QStringLiteral("E:\\ads\\*.jpg")), QString());
    QVERIFY(QFile::copy(made, image));
    QCOMPARE(files.Dir(QStringLiteral("E:\\ads\\*.jpg")), QStringLiteral("64tova00.jpg"));

    // Another disc in the same file.
    writeAds(cd, 1963, {0});
    QVERIFY(makeImage(cd, made, Naming::Joliet));
    QVERIFY(QFile::remove(image));
    QVERIFY(QFile::copy(made, image));
    QCOMPARE(files.Dir(QStringLiteral("E:\\ads\\*.jpg")), QStringLiteral("63tova00.jpg"));

    // A damaged file, then a good one again.
    QVERIFY(writeBytes(image, QByteArray(50000, 'x')));
    QCOMPARE(files.Dir(QStringLiteral("E:\\ads\\*.jpg")), QString());
    QVERIFY(QFile::remove(image));
    QVERIFY(QFile::copy(made, image));
    QCOMPARE(files.DirAll(QStringLiteral("E:\\ads\\*.jpg")).size(), 2);
    QVERIFY(QFile::remove(image));
    QVERIFY(!files.exists(QStringLiteral("E:\\ads")));
}

void TestIsoVolume::volumeForHostPath_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // what lies at the path
    QTest::addColumn<bool>("image");
    QTest::newRow("folder") << "cd"
                            << "folder" << false;
    QTest::newRow("image .iso") << "ads.iso"
                                << "image" << true;
    QTest::newRow("image .ISO") << "ADS.ISO"
                                << "image" << true;
    QTest::newRow("image with another name") << "disc.img"
                                             << "image" << true;
    QTest::newRow("text file") << "notes.txt"
                               << "text" << false;
    QTest::newRow("random bytes named .iso") << "bad.iso"
                                             << "text" << true;
    QTest::newRow("missing .iso") << "later.iso"
                                  << "nothing" << true;
    QTest::newRow("missing folder") << "later"
                                    << "nothing" << false;
    QTest::newRow("folder named .iso") << "odd.iso"
                                       << "folder" << false;
}

void TestIsoVolume::volumeForHostPath() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, image);
    TestEnv env;
    const QString path = env.root() + QLatin1Char('/') + name;
    if (kind == QLatin1String("folder")) {
        QDir().mkpath(path);
    } else if (kind == QLatin1String("image")) {
        const QString cd = env.makeFolder(QStringLiteral("src"));
        writeAds(cd, 1964, {0});
        QVERIFY(makeImage(cd, path, Naming::RockRidge));
    } else if (kind == QLatin1String("text")) {
        QVERIFY(writeBytes(path, QByteArray("some notes\n").repeated(4000)));
    }
    const auto volume = ::volumeForHostPath(path);
    const auto* iso = dynamic_cast<const IsoVolume*>(volume.get());
    QCOMPARE(iso != nullptr, image);
    QCOMPARE(volume->description(), path);
    // The drive map's text takes the same decision.
    const DriveMap map = DriveMap::fromText(QStringLiteral("E=") + path);
    QCOMPARE(dynamic_cast<const IsoVolume*>(map.volume(QLatin1Char('E')).get()) != nullptr, image);
    if (kind == QLatin1String("image")) {
        Files files(std::make_shared<DriveMap>(map));
        QCOMPARE(files.Dir(QStringLiteral("E:\\ads\\*.jpg")), QStringLiteral("64tova00.jpg"));
    }
}

void TestIsoVolume::firstFreeLetter() {
    DriveMap map;
    QCOMPARE(map.firstFreeLetter(), std::optional<QChar>(QLatin1Char('D')));
    map.setVolume(QLatin1Char('C'), std::make_shared<FolderVolume>(QStringLiteral("/c")));
    map.setVolume(QLatin1Char('D'), std::make_shared<FolderVolume>(QStringLiteral("/d")));
    map.setVolume(QLatin1Char('F'), std::make_shared<FolderVolume>(QStringLiteral("/f")));
    QCOMPARE(map.firstFreeLetter(), std::optional<QChar>(QLatin1Char('E')));
    QCOMPARE(map.mapImage(QStringLiteral("/a.iso")), std::optional<QChar>(QLatin1Char('E')));
    QCOMPARE(map.volume(QLatin1Char('E'))->description(), QStringLiteral("/a.iso"));
    QCOMPARE(map.mapImage(QStringLiteral("/b.iso")), std::optional<QChar>(QLatin1Char('G')));
    for (char letter = 'H'; letter <= 'Z'; ++letter)
        map.setVolume(QLatin1Char(letter), std::make_shared<FolderVolume>(QStringLiteral("/x")));
    QCOMPARE(map.firstFreeLetter(), std::nullopt);
    QCOMPARE(map.mapImage(QStringLiteral("/c.iso")), std::nullopt);
}

void TestIsoVolume::imageArguments_data() {
    QTest::addColumn<QStringList>("arguments"); // "@" stands for the image's folder
    QTest::addColumn<QString>("mapped");        // letters with a volume before
    QTest::addColumn<QString>("given");
    QTest::newRow("image") << QStringList{"@/ads.iso"} << "D"
                           << "E";
    QTest::newRow("image, no drives") << QStringList{"@/ads.iso"} << ""
                                      << "D";
    QTest::newRow("upper-case suffix") << QStringList{"@/ADS.ISO"} << ""
                                       << "D";
    QTest::newRow("relative path") << QStringList{"ads.iso"} << "DE"
                                   << "F";
    QTest::newRow("HWI alone") << QStringList{"HWI"} << ""
                               << "";
    QTest::newRow("HWI then an image") << QStringList{"HWI", "@/ads.iso"} << ""
                                       << "D";
    QTest::newRow("two images") << QStringList{"@/ads.iso", "@/ADS.ISO"} << "E"
                                << "DF";
    QTest::newRow("same image twice") << QStringList{"@/ads.iso", "ads.iso"} << ""
                                      << "D";
    QTest::newRow("missing image") << QStringList{"@/none.iso"} << ""
                                   << "";
    QTest::newRow("damaged image still takes a letter") << QStringList{"@/bad.iso"} << ""
                                                        << "D";
    QTest::newRow("text file") << QStringList{"@/notes.txt"} << ""
                               << "";
    QTest::newRow("folder") << QStringList{"@"} << ""
                            << "";
    QTest::newRow("every letter taken") << QStringList{"@/ads.iso"} << "DEFGHIJKLMNOPQRSTUVWXYZ"
                                        << "";
}

void TestIsoVolume::imageArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, mapped);
    QFETCH(QString, given);
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0});
    QVERIFY(makeImage(cd, env.root() + QStringLiteral("/ads.iso"), Naming::Joliet));
    QVERIFY(makeImage(cd, env.root() + QStringLiteral("/ADS.ISO"), Naming::Plain));
    QVERIFY(writeBytes(env.root() + QStringLiteral("/bad.iso"), QByteArray(40000, 'z')));
    QVERIFY(writeBytes(env.root() + QStringLiteral("/notes.txt"), "notes"));
    for (QChar letter : mapped)
        env.mapDrive(letter, env.makeFolder(QStringLiteral("drive") + letter));
    for (QString& a : arguments)
        a.replace(QLatin1Char('@'), env.root());
    const QString before = QDir::currentPath();
    QDir::setCurrent(env.root());
    Files& files = *env.app().platform.files;
    const QList<QChar> letters = MapImageArguments(files, arguments);
    QDir::setCurrent(before);

    QCOMPARE(QString(letters.data(), letters.size()), given);
    for (QChar letter : letters) {
        const auto* iso = dynamic_cast<const IsoVolume*>(files.drives().volume(letter).get());
        QVERIFY(iso);
        QVERIFY(QFileInfo(iso->imagePath()).isAbsolute());
    }
    for (QChar letter : mapped)
        QVERIFY(!dynamic_cast<const IsoVolume*>(files.drives().volume(letter).get()));
    // The command line itself is left as it was: the search still sees no switch.
    QCOMPARE(env.app().platform.program.Command, QString());
}

void TestIsoVolume::desktopEntryOpensImages() {
    QFile f(QStringLiteral(KESTRUN_SOURCE_DIR "/resources/kestrun-ads.desktop"));
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), QStringLiteral("[Desktop Entry]"));
    QHash<QString, QString> keys;
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    QCOMPARE(keys.value("Type"), QStringLiteral("Application"));
    QVERIFY(keys.value("MimeType").split(QLatin1Char(';')).contains("application/x-cd-image"));
    // One file per start: the image becomes the argument.
    const QStringList exec = keys.value("Exec").split(QLatin1Char(' '));
    QCOMPARE(exec, (QStringList{"KestrunAds", "%f"}));
}

QTEST_MAIN(TestIsoVolume)
#include "tst_isovolume.moc"
