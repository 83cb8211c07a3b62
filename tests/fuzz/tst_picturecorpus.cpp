// Our seed pictures (progressive, CMYK, grey, with an embedded thumbnail,
// bitmaps of every depth) through year selection and stepping: each shows as
// drawn, and each cut short at many offsets is a load error — the year's
// prompt when it is the first picture, passed over when stepping.
#include "browser.h"
#include "media/pictureloader.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QtTest>

class TestPictureCorpus : public QObject {
    Q_OBJECT
private slots:
    void seedShowsAsDrawn_data();
    void seedShowsAsDrawn();
    void cutShortAsFirstPicture_data();
    void cutShortAsFirstPicture();
    void cutShortWhileStepping_data();
    void cutShortWhileStepping();
};

namespace {

QByteArray seed(const QString& name) {
    QFile f(QStringLiteral(KESTRUN_PICTURE_CORPUS "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing seed picture %s", qPrintable(name));
    return f.readAll();
}

bool near(QColor have, QColor want, int tolerance = 60) {
    return qAbs(have.red() - want.red()) <= tolerance &&
           qAbs(have.green() - want.green()) <= tolerance &&
           qAbs(have.blue() - want.blue()) <= tolerance;
}

// The seeds are drawn alike: 24 × 30, red at the top fading to blue at the
// bottom, a yellow box at 4..12, 4..14 and a white disc round 16, 20.
enum class Look { Colour, Grey, Other };

// Offsets spread over the whole file, from the first byte to one short of
// the end.
QList<int> cuts(qsizetype size, int count) {
    QList<int> out;
    for (int i = 0; i < count; ++i)
        out << int(qMin<qsizetype>(size - 1, 1 + (size - 2) * i / (count - 1)));
    return out;
}

// Seeds to cut short: every cut is a load error, a picture with rows or a
// scan missing is never shown (a bitmap's missing rows would show as black,
// a run-length bitmap without its end marker as a part of the picture).
const char* const CutSeeds[] = {"baseline.jpg",         "progressive.jpg",    "cmyk.jpg",
                                "gray-progressive.jpg", "exif-thumbnail.jpg", "bmp24.bmp",
                                "bmp4-palette.bmp",     "bmp1-mono.bmp",      "bmp32-alpha.bmp",
                                "bmp8-rle.bmp"};

} // namespace

void TestPictureCorpus::seedShowsAsDrawn_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size"); // empty: not a picture the program loads
    QTest::addColumn<int>("look");
    const QSize drawn(24, 30);
    const auto colour = int(Look::Colour);
    QTest::newRow("baseline") << "baseline.jpg" << drawn << colour;
    QTest::newRow("progressive") << "progressive.jpg" << drawn << colour;
    QTest::newRow("CMYK") << "cmyk.jpg" << drawn << colour;
    QTest::newRow("4:4:4, optimised tables") << "yuv444-optimized.jpg" << drawn << colour;
    QTest::newRow("thumbnail inside") << "exif-thumbnail.jpg" << drawn << colour;
    QTest::newRow("grey") << "gray.jpg" << drawn << int(Look::Grey);
    QTest::newRow("grey progressive") << "gray-progressive.jpg" << drawn << int(Look::Grey);
    QTest::newRow("one pixel") << "one-pixel.jpg" << QSize(1, 1) << int(Look::Other);
    QTest::newRow("bitmap 24 bits") << "bmp24.bmp" << drawn << colour;
    QTest::newRow("bitmap 32 bits with alpha") << "bmp32-alpha.bmp" << drawn << int(Look::Other);
    QTest::newRow("bitmap 8-bit palette") << "bmp8-palette.bmp" << drawn << colour;
    QTest::newRow("bitmap 4-bit palette") << "bmp4-palette.bmp" << drawn << colour;
    QTest::newRow("bitmap 1 bit") << "bmp1-mono.bmp" << drawn << int(Look::Other);
    QTest::newRow("bitmap run-length") << "bmp8-rle.bmp" << QSize(6, 3) << int(Look::Other);
    QTest::newRow("PNG") << "not-a-jpeg.png" << QSize() << int(Look::Other);
}

void TestPictureCorpus::seedShowsAsDrawn() {
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(int, look);
    Browser b;
    b.addFile(1972, 0, seed(file));
    b.start();
    if (size.isEmpty())
        b.env.messages().replies = {4};
    b.clickYear(1972);
    QVERIFY(b.form->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    if (size.isEmpty()) {
        QVERIFY(!b.form->PicSrc->hasPicture());
        QCOMPARE(b.env.messages().calls.size(), 1);
        return;
    }
    QVERIFY(b.env.messages().calls.isEmpty());
    QCOMPARE(b.form->PicSrc->size(), size);
    const QImage shown = b.form->PicSrc->picture().toImage();
    QCOMPARE(shown.size(), size);
    if (look == int(Look::Colour)) {
        QVERIFY(near(shown.pixelColor(1, 1), Qt::red));
        QVERIFY(near(shown.pixelColor(1, 28), Qt::blue));
        QVERIFY(near(shown.pixelColor(8, 9), Qt::yellow));
        QVERIFY(near(shown.pixelColor(16, 20), Qt::white));
    } else if (look == int(Look::Grey)) {
        // Yellow is lighter than the red and blue around it, white lighter still.
        const int box = qGray(shown.pixel(8, 9));
        QVERIFY(box > qGray(shown.pixel(1, 1)) + 40);
        QVERIFY(box > qGray(shown.pixel(1, 28)) + 40);
        QVERIFY(qGray(shown.pixel(16, 20)) > 220);
    }
    // The stretched view shows the same picture object.
    QCOMPARE(b.form->Image1->picture().cacheKey(), b.form->PicSrc->picture().cacheKey());
}

void TestPictureCorpus::cutShortAsFirstPicture_data() {
    QTest::addColumn<QString>("file");
    for (const char* file : CutSeeds)
        QTest::newRow(file) << QString::fromLatin1(file);
}

void TestPictureCorpus::cutShortAsFirstPicture() {
    QFETCH(QString, file);
    const QByteArray whole = seed(file);
    // One year per offset, each year's first picture cut there.
    const QList<int> offsets = cuts(whole.size(), 36);
    Browser b;
    for (int i = 0; i < 36; ++i)
        b.addFile(1964 + i, 0, whole.left(offsets[i]));
    b.start();
    for (int i = 0; i < 36; ++i) {
        b.env.messages().replies = {4};
        b.clickYear(1964 + i);
        QVERIFY2(
            b.env.messages().calls.size() == i + 1,
            qPrintable(
                QStringLiteral("loaded when cut at %1 of %2").arg(offsets[i]).arg(whole.size())));
        QVERIFY(!b.form->PicSrc->hasPicture());
        QVERIFY(b.form->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }
    QCOMPARE(b.env.endCount(), 0);
}

void TestPictureCorpus::cutShortWhileStepping_data() {
    cutShortAsFirstPicture_data();
}

void TestPictureCorpus::cutShortWhileStepping() {
    QFETCH(QString, file);
    const QByteArray whole = seed(file);
    // Ads 1 to 28 of the year are the picture cut at 28 offsets; 0 and 29 are sound.
    const QList<int> offsets = cuts(whole.size(), 28);
    Browser b;
    b.addAds(1972, {0, 29});
    for (int n = 1; n <= 28; ++n)
        b.addFile(1972, n, whole.left(offsets[n - 1]));
    b.start();
    b.clickYear(1972);
    QCOMPARE(b.counter(), QStringLiteral("1 of 30"));
    b.spinUp();
    QCOMPARE(b.counter(), QStringLiteral("30 of 30"));
    QVERIFY(b.showsFile(1972, 29));
    b.spinDown();
    QCOMPARE(b.counter(), QStringLiteral("1 of 30"));
    QVERIFY(b.showsFile(1972, 0));
    QVERIFY(b.env.messages().calls.isEmpty());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestPictureCorpus)
#include "tst_picturecorpus.moc"
