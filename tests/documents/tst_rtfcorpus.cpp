// The RTF reader on real documents nobody here wrote: every file of the
// public test data (tests/data) is read, and its plain text must match the
// text a trusted converter made of it, with runs of white space counted as
// one. Also the medium's own documents, and the rtf2text tool.
#include "demo_medium.h"
#include "rtftesthelpers.h"

#include <QDir>
#include <QProcess>
#include <QTextTable>
#include <QtTest>

class TestRtfCorpus : public QObject {
    Q_OBJECT
private slots:
    void corpus_data();
    void corpus();
    void mediumDocuments_data();
    void mediumDocuments();
    void checklistTable();
    void rtf2textPrintsThePlainText();
    void rtf2textRefusesWhatIsNotRtf_data();
    void rtf2textRefusesWhatIsNotRtf();
};

namespace {

QString corpusDir() {
    return QStringLiteral(KESTRUN_TESTDATA "/rtf");
}

QString referenceDir() {
    return QStringLiteral(KESTRUN_TESTDATA "/rtf-ref");
}

// Files whose reference text differs from ours for a known reason: either a
// limit of the reference converter or a choice of ours. They are still read,
// and our text must still hold nearly all of the reference's characters.
const QHash<QString, QString>& exemptions() {
    static const QHash<QString, QString> reasons = {
        {"pandoc__formatting", "hidden text (\\v) is not shown; the reference keeps it"},
        {"rtfpipe__Issue50-1", "hidden text (\\v) is not shown; the reference keeps it"},
        {"rtfpipe__Issue51", "hidden text (\\v) is not shown; the reference keeps it"},
        {"rtfpipe-rtf2xml__symbol",
         "Symbol-font characters become Unicode (Greek letters); the reference keeps them raw"},
        {"rtfpipe__Test01", "Symbol-font characters become Unicode; the reference keeps them raw"},
        {"rtfjs__import-image",
         "a Symbol-font bullet becomes U+2022; the reference keeps the raw middle dot"},
        {"rtfpipe-rtf2xml__zapf_dingbats",
         "the reference turns blanks of a symbol font into private-use characters"},
        {"pandoc__list_complex",
         "list bullets are the ones the list table defines; the reference substitutes its own"},
        {"rtfpipe__ListWord", "list bullets as defined; the reference substitutes its own"},
        {"tika__testRTFListLibreOffice",
         "list bullets as defined; the reference substitutes its own"},
        {"tika__testRTFListMicrosoftWord",
         "list bullets as defined; the reference substitutes its own"},
        {"tika__testRTFJapanese", "list bullets as defined; the reference substitutes its own"},
        {"pandoc__table_simple",
         "cells beyond the row's written boundaries are kept; the reference drops them"},
        {"tika__testRTFTableCellSeparation2",
         "cell marks outside a table still separate cells; the reference runs them together"},
        {"rtfpipe-phprtflite__footnotes",
         "footnote marks are numbered through; the reference restarts them on each page"},
        {"rtfpipe-phprtflite__formfields",
         "a drop-down form field shows its stored result; the reference leaves it out"},
        {"rtfpipe-rtf2xml__fields_simple_format_switch",
         "fields show their stored result; the reference recomputes document-property fields"},
        {"tika__testRTFInvalidUnicode",
         "unpaired surrogates become U+FFFD; the reference writes '?' and drops a blank"},
        {"pandoc__table_nested_malformed_itap",
         "the reference converter gave up (empty text); read for robustness only"},
    };
    return reasons;
}

QString collapsed(const QString& text) {
    return text.simplified();
}

// How much of b's text a has, as a share of b's characters other than
// blanks, counting repeats: 1 when a holds all of b, in any order.
double shareOf(const QString& a, const QString& b) {
    QHash<char32_t, int> have;
    for (char32_t c : a.toUcs4())
        if (!QChar::isSpace(c))
            ++have[c];
    qsizetype total = 0, found = 0;
    for (char32_t c : b.toUcs4()) {
        if (QChar::isSpace(c))
            continue;
        ++total;
        if (have.value(c) > 0) {
            --have[c];
            ++found;
        }
    }
    return total == 0 ? 1.0 : double(found) / double(total);
}

} // namespace

void TestRtfCorpus::corpus_data() {
    QTest::addColumn<QString>("name");
    const QDir dir(corpusDir());
    QVERIFY2(dir.exists(), qPrintable(corpusDir()));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    QVERIFY(files.size() > 50);
    for (const QString& f : files) {
        const QString name = f.chopped(4);
        QTest::newRow(qPrintable(name)) << name;
    }
}

void TestRtfCorpus::corpus() {
    QFETCH(QString, name);
    QTextDocument doc;
    QString error;
    const bool read = rtf::readRtfFile(corpusDir() + '/' + name + ".rtf", doc, &error);
    // Laying the document out must not fail either.
    doc.setTextWidth(500);
    QVERIFY(doc.size().height() >= 0);

    QFile refFile(referenceDir() + '/' + name + ".txt");
    if (!refFile.open(QIODevice::ReadOnly)) {
        // The reference converter refused the file: robustness only.
        QVERIFY(read || !error.isEmpty());
        return;
    }
    const QString reference = collapsed(QString::fromUtf8(refFile.readAll()));
    if (!read) {
        // Only what is not RTF at all may be refused; the reference is then empty.
        QVERIFY2(reference.isEmpty(), qPrintable(error));
        return;
    }
    const QString ours = collapsed(rtf::plainText(doc));
    const QString reason = exemptions().value(name);
    if (!reason.isEmpty()) {
        // Still nearly all of the reference's text, and not much more.
        if (!reference.isEmpty())
            QVERIFY2(shareOf(ours, reference) >= 0.9 && ours.size() <= 4 * reference.size() + 20,
                     qPrintable(QStringLiteral("too far from the reference (%1)").arg(reason)));
        return;
    }
    QCOMPARE(ours, reference);
}

void TestRtfCorpus::mediumDocuments_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("checklist") << demo::adsListRtf()
                               << QStringList{
                                      QStringLiteral("Kestrun Ads \u2014 Advertising Checklist"),
                                      QStringLiteral("Year\tAdvertisements\tCount\tRemarks"),
                                      QStringLiteral("1966\t00, 01, 03\t3\tAd 02 never printed")};
    QTest::newRow("notice") << demo::noticeRtf()
                            << QStringList{QStringLiteral("Kestrun Ads"),
                                           QStringLiteral("\u2022\tCopying for resale is not."),
                                           QStringLiteral("The Coup\u00e9 pages of the late years "
                                                          "have faded most.")};
    QTest::newRow("registration card")
        << demo::registerRtf()
        << QStringList{QStringLiteral("Kestrun Ads Registration Form"),
                       QStringLiteral("14 Caf\u00e9 Row, Harrow Quay"),
                       QStringLiteral("Thank you for choosing Kestrun Ads!")};
}

void TestRtfCorpus::mediumDocuments() {
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, lines);
    const QStringList text = textOf(rtf).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const bool found = std::any_of(text.cbegin(), text.cend(),
                                       [&](const QString& t) { return t.contains(line); });
        QVERIFY2(found, qPrintable(line));
    }
}

void TestRtfCorpus::checklistTable() {
    const auto doc = readDoc(demo::adsListRtf());
    QTextTable* table = nullptr;
    for (QTextFrame* f : doc->rootFrame()->childFrames())
        if ((table = qobject_cast<QTextTable*>(f)))
            break;
    QVERIFY(table);
    QCOMPARE(table->columns(), 4);
    QCOMPARE(table->rows(), 1 + 36); // the heading and one row per model year
}

void TestRtfCorpus::rtf2textPrintsThePlainText() {
    const QString file = corpusDir() + QStringLiteral("/striprtf__simple_table.rtf");
    QVERIFY2(QFile::exists(file), qPrintable(file));
    QProcess tool;
    tool.start(QStringLiteral(RTF2TEXT), {file});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    QTextDocument doc;
    QVERIFY(rtf::readRtfFile(file, doc));
    QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()), rtf::plainText(doc) + '\n');
}

void TestRtfCorpus::rtf2textRefusesWhatIsNotRtf_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("plain text") << QByteArray("hello") << true;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("missing") << QByteArray() << false;
}

void TestRtfCorpus::rtf2textRefusesWhatIsNotRtf() {
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("doc.rtf"));
    if (exists) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QProcess tool;
    tool.start(QStringLiteral(RTF2TEXT), {file});
    QVERIFY(tool.waitForFinished(60000));
    QVERIFY(tool.exitCode() != 0);
    QVERIFY(tool.readAllStandardOutput().isEmpty());
    const QByteArray reason = tool.readAllStandardError().trimmed();
    QVERIFY(!reason.isEmpty());
    QVERIFY2(!reason.contains('\n'), reason.constData());
}

QTEST_MAIN(TestRtfCorpus)
#include "tst_rtfcorpus.moc"
