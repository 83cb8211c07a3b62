// The program on a medium read straight from a CD image file, in the three
// naming schemes: the start-up search, stepping through a year with a gap,
// the documents, the copy to the hard disk, and damaged images.
#include "browser.h"
#include "demo_medium.h"
#include "documents/document_commands.h"
#include "documents/richtextbox.h"
#include "documents/txtform.h"
#include "isoimages.h"
#include "media/imageargument.h"
#include "media/isovolume.h"
#include "platform/diskspace.h"
#include "platform/msgboxstyle.h"
#include "shell/form1_load.h"
#include "shell/mediaprompt.h"
#include "shell/startup.h"
#include "store/copypanel.h"
#include "widgets/button3d.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>

class TestIsoMedium : public QObject {
    Q_OBJECT
private slots:
    void startupFindsTheImage_data();
    void startupFindsTheImage();
    void yearWithAGapSteps_data();
    void yearWithAGapSteps();
    void documents_data();
    void documents();
    void copyRunFromTheImage_data();
    void copyRunFromTheImage();
    void damagedImageShowsThePrompt_data();
    void damagedImageShowsThePrompt();
    void retryAfterTheImageIsRepaired();
    void noticeCommandShowsTheDocument();
};

Q_DECLARE_METATYPE(Naming)

namespace {

const QString Prompt002 = QStringLiteral(
    "Error number: CA002\r\n\r\nNo longer able to detect Kestrun Ads: The Marketing of Ruzariz's "
    "Zephcar CD-ROM.\r\n\r\nMake sure that Kestrun Ads: The Marketing of Ruzariz's Zephcar is in "
    "CDROM drive.");

void addNamings() {
    QTest::addColumn<Naming>("naming");
    for (Naming n : {Naming::Plain, Naming::Joliet, Naming::RockRidge})
        QTest::newRow(qPrintable(namingName(n))) << n;
}

// A name as the image holds it: plain ISO 9660 keeps upper case only.
QString onDisc(const QString& name, Naming naming) {
    return naming == Naming::Plain ? name.toUpper() : name;
}

// A medium with the documents, in an image at E:, which is the medium.
void documentsOnE(TestEnv& env, Naming naming) {
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0});
    writeDocuments(cd);
    const QString image = env.root() + QStringLiteral("/ads.iso");
    QVERIFY(makeImage(cd, image, naming));
    env.mapDrive(QLatin1Char('E'), image);
    env.app().MediaRoot = env.app().AdsRoot = QStringLiteral("E:");
}

class PlentyOfSpace : public DiskSpace {
public:
    std::optional<qint64> freeBytes(const QString&) const override { return 100000000; }
};

} // namespace

void TestIsoMedium::startupFindsTheImage_data() {
    QTest::addColumn<Naming>("naming");
    QTest::addColumn<bool>("byArgument");
    for (Naming n : {Naming::Plain, Naming::Joliet, Naming::RockRidge}) {
        QTest::addRow("%s, drive map", qPrintable(namingName(n))) << n << false;
        QTest::addRow("%s, argument", qPrintable(namingName(n))) << n << true;
    }
}

void TestIsoMedium::startupFindsTheImage() {
    QFETCH(Naming, naming);
    QFETCH(bool, byArgument);
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0});
    const QString image = env.root() + QStringLiteral("/Kestrun Ads.iso");
    QVERIFY(makeImage(cd, image, naming));
    QString letter = QStringLiteral("F:");
    if (byArgument) {
        // A drive with a disc but no ads keeps D:; the image takes the next letter.
        env.mapDrive(QLatin1Char('D'), env.makeFolder(QStringLiteral("usb")));
        QCOMPARE(MapImageArguments(*env.app().platform.files, {image}),
                 QList<QChar>{QLatin1Char('E')});
        letter = QStringLiteral("E:");
    } else {
        env.mapDrive(QLatin1Char('F'), image);
    }
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    QCOMPARE(env.app().MediaRoot, letter);
    QCOMPARE(env.app().AdsRoot, letter);
    QVERIFY(env.messages().calls.isEmpty());
}

void TestIsoMedium::yearWithAGapSteps_data() {
    addNamings();
}

void TestIsoMedium::yearWithAGapSteps() {
    QFETCH(Naming, naming);
    Browser b;
    b.addAds(1966, {0, 1, 3});
    b.addAds(1967, {0});
    const QString image = b.env.root() + QStringLiteral("/ads.iso");
    QVERIFY(makeImage(b.medium, image, naming));
    b.env.mapDrive(QLatin1Char('D'), image);
    QVERIFY(dynamic_cast<const IsoVolume*>(
        b.app().platform.files->drives().volume(QLatin1Char('D')).get()));
    b.start();
    QCOMPARE(b.app().MediaRoot, QStringLiteral("D:"));

    b.clickYear(1966);
    QCOMPARE(b.counter(), QStringLiteral("1 of 4"));
    QVERIFY(b.showsFile(1966, 0));
    QCOMPARE(b.focusedYear(), 1967);
    b.stepThrough(1966, QStringLiteral("uuudd"), {"2 of 4", "4 of 4", "1 of 4", "4 of 4", "2 of 4"},
                  {1, 3, 0, 3, 1});
    if (QTest::currentTestFailed())
        return;
    b.clickYear(1967);
    QCOMPARE(b.counter(), QStringLiteral("1 of 1"));
    QVERIFY(b.showsFile(1967, 0));
    QVERIFY(b.env.messages().calls.isEmpty());
    QVERIFY(!QApplication::overrideCursor());
}

void TestIsoMedium::documents_data() {
    addNamings();
}

void TestIsoMedium::documents() {
    QFETCH(Naming, naming);
    TestEnv env;
    documentsOnE(env, naming);
    if (QTest::currentTestFailed())
        return;
    AppState& app = env.app();

    const Files& files = *app.platform.files;
    const auto read = [&](const QString& path) {
        auto device = files.openRead(app.MediaRoot + path);
        return device ? device->readAll() : QByteArray();
    };
    QCOMPARE(read(QStringLiteral("\\RichText\\notice.rtf")), demo::noticeRtf());
    QCOMPARE(read(QStringLiteral("\\RichText\\Register.rtf")), demo::registerRtf());
    // Eight letters of the checklist's name survive on a level-1 disc.
    QCOMPARE(read(QStringLiteral("\\RichText\\KestrunAdsList.rtf")),
             naming == Naming::Plain ? QByteArray() : demo::adsListRtf());
}

void TestIsoMedium::noticeCommandShowsTheDocument() {
    TestEnv env;
    documentsOnE(env, Naming::Joliet);
    if (QTest::currentTestFailed())
        return;
    AppState& app = env.app();

    Form1 form(app);
    QString shownText;
    QString caption;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &closer, [&] {
        if (auto* viewer = qobject_cast<txtForm*>(QApplication::activeModalWidget())) {
            shownText = viewer->rtbText->Text();
            caption = viewer->windowTitle();
            viewer->done(0);
        }
    });
    closer.start(10);
    ShowNotice(app, &form);
    closer.stop();
    QCOMPARE(caption, QStringLiteral("Notice"));
    QVERIFY2(shownText.contains(QStringLiteral("Copyright and usage notice")),
             qPrintable(shownText));
    QVERIFY(env.messages().calls.isEmpty());
}

void TestIsoMedium::copyRunFromTheImage_data() {
    addNamings();
}

void TestIsoMedium::copyRunFromTheImage() {
    QFETCH(Naming, naming);
    Browser b;
    // Pictures of several copy blocks each, and small ones.
    b.addAds(1964, {0, 1}, QSize(900, 1200));
    b.addAds(1975, {0, 2});
    const QString image = b.env.root() + QStringLiteral("/ads.iso");
    QVERIFY(makeImage(b.medium, image, naming));
    b.env.mapDrive(QLatin1Char('D'), image);
    b.app().platform.diskSpace = std::make_shared<PlentyOfSpace>();
    b.start();

    b.env.messages().replies = {MsgReply::Ok};
    b.form->mnuCopy->trigger();
    QTest::mouseClick(b.form->copyPanel->cmdCopy, Qt::LeftButton);
    QCOMPARE(b.env.messages().calls.size(), 1);
    QCOMPARE(b.env.messages().calls[0].text, QStringLiteral("Ads successfully copied!\r\n"));
    QCOMPARE(b.app().AdsRoot, b.env.programDir());

    const QStringList sources = QDir(b.medium + QStringLiteral("/ads")).entryList(QDir::Files);
    QStringList expected;
    for (const QString& name : sources)
        expected << onDisc(name, naming);
    const QString copies = b.env.programDir() + QStringLiteral("/ads");
    QCOMPARE(QDir(copies).entryList(QDir::Files | QDir::Hidden), expected);
    for (const QString& name : sources) {
        const QByteArray want = fileBytes(b.medium + QStringLiteral("/ads/") + name);
        QVERIFY(want.size() > 0);
        QCOMPARE(fileBytes(copies + QLatin1Char('/') + onDisc(name, naming)), want);
    }
    // The copies serve the next year selected.
    b.clickYear(1975);
    QCOMPARE(b.counter(), QStringLiteral("1 of 3"));
    QVERIFY(b.showsFile(1975, 0));
}

void TestIsoMedium::damagedImageShowsThePrompt_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("byArgument");
    QTest::newRow("random bytes, drive map") << "random" << false;
    QTest::newRow("random bytes, argument") << "random" << true;
    QTest::newRow("truncated, drive map") << "truncated" << false;
    QTest::newRow("truncated, argument") << "truncated" << true;
}

void TestIsoMedium::damagedImageShowsThePrompt() {
    QFETCH(QString, damage);
    QFETCH(bool, byArgument);
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1964, {0, 1, 2});
    const QString image = env.root() + QStringLiteral("/ads.iso");
    if (damage == QLatin1String("random")) {
        QByteArray bytes(300000, Qt::Uninitialized);
        QRandomGenerator rng(11);
        for (char& c : bytes)
            c = char(rng.bounded(256));
        QVERIFY(writeBytes(image, bytes));
    } else {
        QVERIFY(makeImage(cd, image, Naming::Joliet));
        // The directories are whole; the last picture on the disc is cut off.
        const qsizetype last =
            fileBytes(image).indexOf(fileBytes(cd + QStringLiteral("/ads/64tova02.jpg")));
        QVERIFY(last > 0);
        QVERIFY(truncateImage(image, last + 100));
    }
    if (byArgument)
        QCOMPARE(MapImageArguments(*env.app().platform.files, {image}),
                 QList<QChar>{QLatin1Char('D')});
    else
        env.mapDrive(QLatin1Char('D'), image);

    env.messages().replies = {MsgReply::Cancel};
    Form1 form(env.app());
    QVERIFY(!Form1_Load(env.app(), form));
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, Prompt002);
    QCOMPARE(env.messages().calls[0].style, MsgStyle::RetryCancel);
    QCOMPARE(env.endCount(), 1);
    QVERIFY(env.app().MediaRoot.isEmpty());
}

void TestIsoMedium::retryAfterTheImageIsRepaired() {
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd"));
    writeAds(cd, 1990, {0});
    const QString good = env.root() + QStringLiteral("/good.iso");
    QVERIFY(makeImage(cd, good, Naming::RockRidge));
    const QString image = env.root() + QStringLiteral("/ads.iso");
    QVERIFY(writeBytes(image, fileBytes(good).left(20000)));
    env.mapDrive(QLatin1Char('G'), image);
    env.messages().replies = {MsgReply::Retry};
    env.messages().onShow = [&](const MessageCall&) {
        // The user fetches the whole image while the prompt is open.
        QFile::remove(image);
        QVERIFY(QFile::copy(good, image));
    };
    QVERIFY(LocateAds(env.app()));
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.app().MediaRoot, QStringLiteral("G:"));
    QCOMPARE(env.endCount(), 0);
}

QTEST_MAIN(TestIsoMedium)
#include "tst_isomedium.moc"
