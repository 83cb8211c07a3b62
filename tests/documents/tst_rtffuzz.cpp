// The RTF reader on hostile input: deep nesting, huge binary runs and
// picture sizes, floods of cells, and random or mutated bytes. Every input
// must give a document or a clean error, with structures bounded by the
// input's size. The amount of input is fixed, so the run time is bounded.
#include "demo_medium.h"
#include "rtf/rtftables.h"
#include "rtftesthelpers.h"
#include "testpng.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QTextTable>
#include <QtTest>

class TestRtfFuzz : public QObject {
    Q_OBJECT
private slots:
    void deepNesting_data();
    void deepNesting();
    void hugeBinary_data();
    void hugeBinary();
    void hugePictureSizes_data();
    void hugePictureSizes();
    void pictureDeclaringHugeDimensions();
    void decodedPixelsAreBounded();
    void cellFloodIsBounded();
    void cellsPerRowAreBounded();
    void deepTableLevels();
    void hugeNumbers();
    void hostileLayout_data();
    void hostileLayout();
    void randomBytes();
    void mutatedDocuments();
};

namespace {

// Reads and lays out; false when the reader refused the input.
bool readAndLayOut(const QByteArray& data, QTextDocument& doc) {
    QString error;
    const bool ok = rtf::readRtf(data, doc, &error);
    if (!ok && error.isEmpty())
        qWarning("refused without a reason");
    doc.setTextWidth(400);
    (void)doc.size();
    (void)rtf::plainText(doc);
    return ok;
}

qint64 tableCells(const QTextFrame* frame) {
    qint64 n = 0;
    for (const QTextFrame* child : frame->childFrames()) {
        if (auto* t = qobject_cast<const QTextTable*>(child))
            n += qint64(t->rows()) * t->columns();
        n += tableCells(child);
    }
    return n;
}

QList<QTextImageFormat> images(const QTextDocument& doc) {
    QList<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                for (int i = 0; i < it.fragment().length(); ++i) // alike pictures share a fragment
                    out << it.fragment().charFormat().toImageFormat();
    return out;
}

} // namespace

void TestRtfFuzz::deepNesting_data() {
    QTest::addColumn<QByteArray>("rtf");
    const QByteArray open(100000, '{');
    const QByteArray close(100000, '}');
    QTest::newRow("balanced") << "{\\rtf1 top" + open + "deep" + close + "end}";
    QTest::newRow("never closed") << "{\\rtf1 top" + open + "deep";
    QTest::newRow("destinations") << "{\\rtf1 top" + QByteArray("{\\*\\x").repeated(50000) + "deep";
    QTest::newRow("closed too often") << "{\\rtf1 top" + close + "after";
}

void TestRtfFuzz::deepNesting() {
    QFETCH(QByteArray, rtf);
    QTextDocument doc;
    QVERIFY(readAndLayOut(rtf, doc));
    const QString text = rtf::plainText(doc);
    QVERIFY(text.startsWith(QStringLiteral("top")));
    QVERIFY(!text.contains(QStringLiteral("deep"))); // too deep to be shown
    QVERIFY(doc.characterCount() < 100);
}

void TestRtfFuzz::hugeBinary_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("longer than the file") << QByteArray("{\\rtf1 a\\bin2147483647 xyz}");
    QTest::newRow("beyond 32 bits") << QByteArray("{\\rtf1 a\\bin99999999999999999999 xyz}");
    QTest::newRow("negative") << QByteArray("{\\rtf1 a\\bin-5 b}");
    QTest::newRow("in a picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin2147483647 \x89PNG");
    QTest::newRow("braces inside") << QByteArray("{\\rtf1 a{\\pict\\bin4 }}}}}b}");
}

void TestRtfFuzz::hugeBinary() {
    QFETCH(QByteArray, rtf);
    QTextDocument doc;
    QVERIFY(readAndLayOut(rtf, doc));
    QVERIFY(rtf::plainText(doc).startsWith(QLatin1Char('a')));
    QVERIFY(doc.characterCount() < 10);
}

void TestRtfFuzz::hugePictureSizes_data() {
    QTest::addColumn<QByteArray>("words");
    QTest::newRow("goal") << QByteArray("\\picwgoal2147483647\\pichgoal2147483647");
    QTest::newRow("scale") << QByteArray("\\picwgoal1440\\pichgoal1440\\picscalex2147483647"
                                         "\\picscaley99999");
    QTest::newRow("pixels") << QByteArray("\\picw2147483647\\pich2147483647");
    QTest::newRow("negative") << QByteArray("\\picwgoal-2147483647\\pichgoal-1");
    QTest::newRow("crop beyond") << QByteArray("\\picwgoal100\\pichgoal100\\piccropl-2147483647");
}

void TestRtfFuzz::hugePictureSizes() {
    QFETCH(QByteArray, words);
    for (const QByteArray kind : {"\\wmetafile8", "\\pngblip", "\\dibitmap"}) {
        QTextDocument doc;
        QVERIFY(readAndLayOut("{\\rtf1{\\pict" + kind + words + " 0102}x}", doc));
        for (const QTextImageFormat& f : images(doc)) {
            QVERIFY(f.width() >= 1 && f.width() <= 31680 / 15);
            QVERIFY(f.height() >= 1 && f.height() <= 31680 / 15);
        }
    }
}

void TestRtfFuzz::pictureDeclaringHugeDimensions() {
    const QByteArray rtf = "{\\rtf1{\\pict\\pngblip\\picwgoal144000\\pichgoal1440 " +
                           pngDeclaring(100000, 100000).toHex() + "}x}";
    QTextDocument doc;
    QVERIFY(readAndLayOut(rtf, doc));
    // Not decoded: an empty box of a bounded size stands in.
    const QList<QTextImageFormat> found = images(doc);
    QCOMPARE(found.size(), 1);
    QVERIFY(found[0].width() <= 31680 / 15);
    const QImage box =
        doc.resource(QTextDocument::ImageResource, QUrl(found[0].name())).value<QImage>();
    QVERIFY(box.width() * box.height() <= 48 * 48);
}

void TestRtfFuzz::decodedPixelsAreBounded() {
    QImage big(3000, 3000, QImage::Format_RGB32);
    big.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    big.save(&buffer, "PNG");
    const QByteArray pict =
        "{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}";
    QTextDocument doc;
    QVERIFY(readAndLayOut("{\\rtf1 " + pict.repeated(12) + "}", doc));
    qint64 pixels = 0;
    QSet<QString> names;
    for (const QTextImageFormat& f : images(doc)) {
        if (names.contains(f.name()))
            continue;
        names.insert(f.name());
        const QImage image =
            doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
        QVERIFY(image.width() <= 2048 && image.height() <= 2048);
        pixels += qint64(image.width()) * image.height();
    }
    // Each picture keeps its place and size; those past the budget as empty boxes.
    QCOMPARE(images(doc).size(), 12);
    for (const QTextImageFormat& f : images(doc))
        QCOMPARE(f.width(), images(doc).front().width());
    QVERIFY(names.size() < 12);
    QVERIFY(pixels <= 16'000'000 + 48 * 48);
}

void TestRtfFuzz::cellFloodIsBounded() {
    QByteArray rtf = "{\\rtf1\\trowd";
    for (int i = 1; i <= 63; ++i)
        rtf += "\\cellx" + QByteArray::number(i * 100);
    rtf += "\\pard\\intbl ";
    rtf += QByteArray("x\\cell\\row ").repeated(30000);
    rtf += "}";
    QTextDocument doc;
    QVERIFY(readAndLayOut(rtf, doc));
    QVERIFY(tableCells(doc.rootFrame()) <= rtf::TableBuilder::cellBudget(rtf.size()) + 64);
    // Rows past the limit keep their text as paragraphs, after the table.
    const QString text = rtf::plainText(doc);
    QCOMPARE(text.count(QLatin1Char('x')), 30000);
    QVERIFY(text.endsWith(QStringLiteral("x\nx\nx")));
    QVERIFY(text.startsWith(QStringLiteral("x\t")));
}

void TestRtfFuzz::cellsPerRowAreBounded() {
    QTextDocument doc;
    QVERIFY(readAndLayOut(
        "{\\rtf1\\pard\\intbl " + QByteArray("c\\cell ").repeated(5000) + "\\row}", doc));
    auto* table = qobject_cast<QTextTable*>(doc.rootFrame()->childFrames().value(0));
    QVERIFY(table);
    QVERIFY(table->columns() <= 64);
    QCOMPARE(rtf::plainText(doc).count(QLatin1Char('c')), 5000);
}

void TestRtfFuzz::deepTableLevels() {
    QTextDocument doc;
    QVERIFY(
        readAndLayOut("{\\rtf1\\pard\\intbl\\itap2147483647 deep\\nestcell{\\*\\nesttableprops"
                      "\\trowd\\cellx100\\nestrow}\\pard\\intbl\\itap40 x\\nestcell\\cell\\row}",
                      doc));
    QVERIFY(rtf::plainText(doc).contains(QStringLiteral("deep")));
}

void TestRtfFuzz::hugeNumbers() {
    QTextDocument doc;
    QVERIFY(readAndLayOut("{\\rtf1\\fs2147483647 a\\fs-2147483648 b\\li99999999999999 c"
                          "\\ls2147483647\\ilvl-5 f\\par\\sl-2147483648\\fi-2147483648 g\\par"
                          "\\trgaph2147483647\\cellx-2147483648\\pard\\intbl h\\cell\\row"
                          "\\uc2147483647\\u2147483647 i\\u-2147483648 j}",
                          doc));
    QVERIFY(rtf::plainText(doc).contains(QLatin1Char('h')));
}

// Documents that Qt's text layout would take minutes or forever over: taller
// than its fixed-point positions reach, or lines it lays out in quadratic time.
void TestRtfFuzz::hostileLayout_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("huge letters") << "{\\rtf1\\fs3276 " + QByteArray("x ").repeated(5000) + "}";
    QTest::newRow("huge spacing") << "{\\rtf1\\sb31680 " + QByteArray("x\\par ").repeated(5000) +
                                         "}";
    QTest::newRow("tall pictures")
        << "{\\rtf1 " +
               QByteArray("{\\pict\\wmetafile8\\picwgoal20\\pichgoal31680 0}").repeated(5000) + "}";
    QTest::newRow("one long word") << "{\\rtf1 " + QByteArray(300000, 'x') + "}";
    QTest::newRow("many tabs") << "{\\rtf1\\tx100 " + QByteArray("\\tab ").repeated(60000) + "}";
}

void TestRtfFuzz::hostileLayout() {
    QFETCH(QByteArray, rtf);
    QTextDocument doc;
    QVERIFY(readAndLayOut(rtf, doc));
    QVERIFY(doc.size().height() > 0);
    QVERIFY(doc.size().height() < 8'000'000);
}

void TestRtfFuzz::randomBytes() {
    QRandomGenerator rng(20240601);
    // Bytes biased towards RTF's own characters, after a valid opening.
    static const char alphabet[] = "{}\\\\\\'*abcdefghijklmnopqrstuvwxyz0123456789- ;\r\n\x80\xff";
    for (int round = 0; round < 300; ++round) {
        QByteArray data = "{\\rtf1";
        const int length = int(rng.bounded(4000));
        for (int i = 0; i < length; ++i)
            data += round % 3 == 0 ? char(rng.bounded(256))
                                   : alphabet[rng.bounded(int(sizeof(alphabet) - 1))];
        QTextDocument doc;
        QVERIFY(readAndLayOut(data, doc));
    }
}

void TestRtfFuzz::mutatedDocuments() {
    QList<QByteArray> seeds = {demo::adsListRtf(), demo::noticeRtf(), demo::registerRtf()};
    const QDir corpus(QStringLiteral(KESTRUN_TESTDATA "/rtf"));
    for (const QString& name : {QStringLiteral("tika__testRTFVarious.rtf"),
                                QStringLiteral("rtfpipe-phprtflite__images.rtf"),
                                QStringLiteral("striprtf__nested_table.rtf"),
                                QStringLiteral("tika__testRTFJapanese.rtf")}) {
        QFile f(corpus.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            seeds << f.readAll();
    }
    QRandomGenerator rng(77);
    static const char tokens[] = "{}\\'*";
    for (const QByteArray& seed : seeds) {
        for (int round = 0; round < 25; ++round) {
            QByteArray data = seed;
            const int edits = 1 + int(rng.bounded(40));
            for (int e = 0; e < edits && !data.isEmpty(); ++e) {
                const qsizetype at = rng.bounded(qint64(data.size()));
                switch (rng.bounded(4)) {
                case 0:
                    data[at] = char(rng.bounded(256));
                    break;
                case 1:
                    data.insert(at, tokens[rng.bounded(5)]);
                    break;
                case 2:
                    data.remove(at, rng.bounded(64));
                    break;
                default:
                    data.truncate(at);
                    break;
                }
            }
            QTextDocument doc;
            readAndLayOut(data, doc);
        }
    }
}

QTEST_MAIN(TestRtfFuzz)
#include "tst_rtffuzz.moc"
