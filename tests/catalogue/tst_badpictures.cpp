// Pictures that are empty, cut off, corrupt, of another format or of absurd
// size: a year's first picture gives the medium prompt, a stepping candidate
// is passed over, and nothing crashes or stays busy.
#include "browser.h"
#include "demo_medium.h"
#include "media/pictureloader.h"
#include "widgets/picturebox.h"
#include "widgets/spinbutton.h"

#include <QApplication>
#include <QBuffer>
#include <QRandomGenerator>
#include <QtTest>

class TestBadPictures : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void asFirstPicture_data();
    void asFirstPicture();
    void asSteppingCandidate_data();
    void asSteppingCandidate();
    void decoderTestSuite_data();
    void decoderTestSuite();

private:
    QByteArray m_good; // a sound JPEG ad
};

namespace {

QByteArray encode(const QImage& image, const char* format) {
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, format);
    return out;
}

// The same JPEG declaring other dimensions in its frame header.
QByteArray withDimensions(QByteArray jpeg, int width, int height) {
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && (uchar(jpeg[i + 1]) == 0xC0 || uchar(jpeg[i + 1]) == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            return jpeg;
        }
    }
    return {};
}

// The first picture of a year: loads (no prompt) or gives exactly one prompt.
// Either way the window ends enabled with the default pointer.
bool selectLoads(Browser& b, int year) {
    const int before = b.env.messages().calls.size();
    b.env.messages().replies = {4};
    b.clickYear(year);
    const bool prompted = b.env.messages().calls.size() > before;
    if (prompted)
        [&] { QCOMPARE(b.env.messages().calls.last().style, 5); }();
    else // scripted in case it came: a decoder may read some files either way
        b.env.messages().dropUnusedReplies();
    [&] {
        QVERIFY(b.form->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(b.env.endCount(), 0);
    }();
    return !prompted;
}

} // namespace

void TestBadPictures::initTestCase() {
    m_good = encode(demo::adPicture(1964, 0, QSize(120, 160)), "JPEG");
    QVERIFY(m_good.size() > 500);
}

void TestBadPictures::asFirstPicture_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    QTest::newRow("sound") << m_good << true;
    QTest::newRow("empty") << QByteArray() << false;
    for (int cut : {2, 20, 100, 300, 500})
        QTest::addRow("cut at %d", cut) << m_good.left(cut) << false;
    QTest::newRow("cut before end marker") << m_good.left(m_good.size() - 2) << false;
    QTest::newRow("cut at 90%") << m_good.left(m_good.size() * 9 / 10) << false;
    QByteArray noise(4000, 0);
    QRandomGenerator rng(7);
    for (char& c : noise)
        c = char(rng.generate());
    QTest::newRow("random bytes") << noise << false;
    QByteArray fakeHeader = noise;
    fakeHeader[0] = char(0xFF);
    fakeHeader[1] = char(0xD8);
    QTest::newRow("random bytes after a JPEG start") << fakeHeader << false;
    QTest::newRow("PNG renamed") << encode(demo::adPicture(1964, 0, QSize(50, 50)), "PNG") << false;
    QTest::newRow("bitmap renamed")
        << encode(demo::adPicture(1964, 0, QSize(50, 50)), "BMP") << true;
    // An APP1 segment whose length leaves its last byte out: the decoder
    // passes over that byte with a warning and shows the picture.
    QTest::newRow("APP segment one byte short")
        << QByteArray(m_good).insert(2, QByteArray::fromHex("ffe10006") + "KADSX") << true;
    QTest::newRow("APP segment one byte short, cut before end marker")
        << QByteArray(m_good).insert(2, QByteArray::fromHex("ffe10006") + "KADSX").chopped(2)
        << false;
    QTest::newRow("60000 x 60000 declared") << withDimensions(m_good, 60000, 60000) << false;
    QTest::newRow("0 wide declared") << withDimensions(m_good, 0, 160) << false;
    QTest::newRow("text file") << QByteArray("Not a picture at all\r\n") << false;
}

void TestBadPictures::asFirstPicture() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    Browser b;
    b.addAds(1999, {0});
    b.addFile(1964, 0, bytes);
    b.start();
    QCOMPARE(selectLoads(b, 1964), loads);
    QCOMPARE(b.form->PicSrc->hasPicture(), loads);
    QCOMPARE(b.form->SpinButton1->isVisible(), loads);
}

void TestBadPictures::asSteppingCandidate_data() {
    asFirstPicture_data();
}

void TestBadPictures::asSteppingCandidate() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    Browser b;
    b.addAds(1964, {0, 2});
    b.addFile(1964, 1, bytes);
    b.start();
    b.clickYear(1964);
    b.spinUp();
    QCOMPARE(b.counter(), loads ? QStringLiteral("2 of 3") : QStringLiteral("3 of 3"));
    if (!loads)
        QVERIFY(b.showsFile(1964, 2));
    b.spinDown();
    QCOMPARE(b.counter(), loads ? QStringLiteral("1 of 3") : QStringLiteral("1 of 3"));
    QVERIFY(b.showsFile(1964, 0));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(b.env.messages().calls.isEmpty());
}

void TestBadPictures::decoderTestSuite_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("referenceCode"); // 0 clean, 1 failed, 2 decoded with warnings
    QFile tsv(QStringLiteral(KESTRUN_TESTDATA "/jpeg/REFERENCE_DECODE.tsv"));
    QVERIFY2(tsv.open(QIODevice::ReadOnly), qPrintable(tsv.fileName()));
    const QList<QByteArray> lines = tsv.readAll().split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        const QList<QByteArray> cols = line.split('\t');
        if (cols.size() < 2)
            continue;
        QTest::newRow(cols[0].constData())
            << QStringLiteral(KESTRUN_TESTDATA "/jpeg/") + QString::fromUtf8(cols[0])
            << cols[1].toInt();
    }
}

void TestBadPictures::decoderTestSuite() {
    QFETCH(QString, file);
    QFETCH(int, referenceCode);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();

    Browser b;
    b.addAds(1964, {0, 2});
    b.addFile(1964, 1, bytes);
    b.addFile(1980, 0, bytes);
    b.start();
    const bool loads = selectLoads(b, 1980);
    // What the reference decoder could not read, neither can we; what it read
    // cleanly, we show. Files it read with warnings may go either way.
    if (referenceCode == 1)
        QVERIFY(!loads);
    if (referenceCode == 0)
        QVERIFY(loads);
    if (loads)
        QVERIFY(b.form->PicSrc->size().width() > 0);

    b.clickYear(1964);
    b.spinUp();
    QCOMPARE(b.counter(), loads ? QStringLiteral("2 of 3") : QStringLiteral("3 of 3"));
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestBadPictures)
#include "tst_badpictures.moc"
