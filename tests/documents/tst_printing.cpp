// Rich text printed page by page to a PDF file: page counts, one-inch
// margins from the paper's edges, documents that are empty or long, and the
// ways a job can fail, on CUPS queues of the test's own too.
#include "cupsserver.h"
#include "documents/printrichtext.h"
#include "documents/richtextpages.h"
#include "pdfcheck.h"
#include "platform/printer.h"
#include "rtftesthelpers.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>
#include <climits>

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void onePage();
    void marginsFromThePaperEdges_data();
    void marginsFromThePaperEdges();
    void emptyDocument();
    void manyPages();
    void pageBreakStartsAPage();
    void pictureTallerThanThePage();
    void noPrinter();
    void marginsLeaveNoRoom_data();
    void marginsLeaveNoRoom();
    void outputCannotBeWritten();
    void printSystemAnswer_data();
    void printSystemAnswer();
    void formatRangeAnswersTheFirstCharacterThatDidNotFit();

private:
    CupsServer m_cups;
    bool m_queuesMade = false;
    QTemporaryDir m_dir;
    QString pdf(const QString& name) const { return m_dir.filePath(name + ".pdf"); }
};

namespace {

constexpr double Inch = 72.0; // points
constexpr double Tolerance = 3.0;

QByteArray paragraphs(int count) {
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}\\fs24 ";
    for (int i = 1; i <= count; ++i)
        rtf +=
            "Line" + QByteArray::number(i).rightJustified(3, '0') + " of the long document\\par ";
    return rtf + "}";
}

PrintResult printTo(PrinterService& service, const QString& file, const QByteArray& rtf) {
    service.setOutputPdf(file);
    const auto doc = readDoc(rtf);
    return PrintRichText(service, *doc, 1440, 1440, 1440, 1440);
}

} // namespace

void TestPrinting::initTestCase() {
    // No queue yet: until printSystemAnswer the print system has no printer.
    m_cups.start();
}

void TestPrinting::onePage() {
    PrinterService service;
    const QString file = pdf(QStringLiteral("one"));
    const PrintResult r = printTo(service, file, "{\\rtf1 Hello printed world.\\par}");
    QCOMPARE(r.outcome, PrintResult::Printed);
    QCOMPARE(r.pages, 1);
    QCOMPARE(pdfPageCount(file), 1);
    if (!havePdfToText())
        SKIP_OR_FAIL("pdftotext is not installed");
    const QList<PdfWord> words = pdfWords(file);
    QCOMPARE(words.size(), 3);
    QCOMPARE(words[0].text, QStringLiteral("Hello"));
}

void TestPrinting::marginsFromThePaperEdges_data() {
    QTest::addColumn<QMarginsF>("unprintable"); // millimetres
    QTest::addColumn<int>("pageSize");
    QTest::newRow("no border, A4") << QMarginsF(0, 0, 0, 0) << int(QPageSize::A4);
    QTest::newRow("wide border, A4") << QMarginsF(15, 20, 10, 12) << int(QPageSize::A4);
    QTest::newRow("border, Letter") << QMarginsF(6, 6, 6, 6) << int(QPageSize::Letter);
}

void TestPrinting::marginsFromThePaperEdges() {
    QFETCH(QMarginsF, unprintable);
    QFETCH(int, pageSize);
    if (!havePdfToText())
        SKIP_OR_FAIL("pdftotext is not installed");
    PrinterService service;
    const QString file = pdf(QStringLiteral("margins"));
    service.setOutputPdf(file);
    service.printer().setPageSize(QPageSize(QPageSize::PageSizeId(pageSize)));
    service.printer().setPageMargins(unprintable, QPageLayout::Millimeter);
    // Long enough to reach the bottom margin and the right margin.
    QByteArray rtf = "{\\rtf1\\qj ";
    for (int i = 0; i < 120; ++i)
        rtf += "Words fill the page from margin to margin. ";
    const auto doc = readDoc(rtf + "}");
    QCOMPARE(PrintRichText(service, *doc, 1440, 1440, 1440, 1440).outcome, PrintResult::Printed);
    QSizeF paper;
    const QList<PdfWord> words = pdfWords(file, &paper);
    QVERIFY(!words.isEmpty());
    double left = 1e9, top = 1e9, right = 0, bottom = 0;
    for (const PdfWord& w : words) {
        if (w.page != 0)
            continue;
        left = qMin(left, w.box.left());
        top = qMin(top, w.box.top());
        right = qMax(right, w.box.right());
        bottom = qMax(bottom, w.box.bottom());
    }
    QVERIFY2(qAbs(left - Inch) < Tolerance, qPrintable(QString::number(left)));
    QVERIFY2(top >= Inch - Tolerance && top < Inch + Tolerance, qPrintable(QString::number(top)));
    // Justified text reaches the right margin; nothing goes beyond either margin.
    QVERIFY2(qAbs(right - (paper.width() - Inch)) < Tolerance, qPrintable(QString::number(right)));
    QVERIFY2(bottom <= paper.height() - Inch + Tolerance, qPrintable(QString::number(bottom)));
}

void TestPrinting::emptyDocument() {
    PrinterService service;
    const QString file = pdf(QStringLiteral("empty"));
    const PrintResult r = printTo(service, file, "{\\rtf1}");
    QCOMPARE(r.outcome, PrintResult::Printed);
    QCOMPARE(r.pages, 1);
    QCOMPARE(pdfPageCount(file), 1);
    if (havePdfToText())
        QVERIFY(pdfWords(file).isEmpty());
}

void TestPrinting::manyPages() {
    PrinterService service;
    const QString file = pdf(QStringLiteral("many"));
    const PrintResult r = printTo(service, file, paragraphs(200));
    QCOMPARE(r.outcome, PrintResult::Printed);
    QVERIFY(r.pages >= 4);
    QCOMPARE(pdfPageCount(file), r.pages);
    if (!havePdfToText())
        SKIP_OR_FAIL("pdftotext is not installed");
    // Every line printed once, in order, each page starting at the top margin.
    QStringList lines;
    int lastPage = -1;
    for (const PdfWord& w : pdfWords(file)) {
        if (!w.text.startsWith(QStringLiteral("Line")))
            continue;
        lines << w.text;
        if (w.page != lastPage) {
            QVERIFY(qAbs(w.box.top() - Inch) < Tolerance);
            lastPage = w.page;
        }
    }
    QCOMPARE(lines.size(), 200);
    for (int i = 0; i < 200; ++i)
        QCOMPARE(lines[i], QStringLiteral("Line%1").arg(i + 1, 3, 10, QLatin1Char('0')));
    QCOMPARE(lastPage, r.pages - 1);
}

void TestPrinting::pageBreakStartsAPage() {
    PrinterService service;
    const QString file = pdf(QStringLiteral("break"));
    const PrintResult r = printTo(service, file, "{\\rtf1 first\\page second\\page third\\par}");
    QCOMPARE(r.pages, 3);
    QCOMPARE(pdfPageCount(file), 3);
}

void TestPrinting::pictureTallerThanThePage() {
    // 30 inches of picture: more than any page holds; the job still ends.
    PrinterService service;
    const QString file = pdf(QStringLiteral("tall"));
    const PrintResult r = printTo(
        service, file,
        "{\\rtf1 above{\\pict\\wmetafile8\\picwgoal1440\\pichgoal43200 00}below\\par after\\par}");
    QCOMPARE(r.outcome, PrintResult::Printed);
    QVERIFY(r.pages >= 1 && r.pages <= 4);
    QCOMPARE(pdfPageCount(file), r.pages);
}

namespace {

class NoPrinterService : public PrinterService {
public:
    bool available() const override { return false; }
};

} // namespace

void TestPrinting::noPrinter() {
    NoPrinterService service;
    const QString file = pdf(QStringLiteral("none"));
    const auto doc = readDoc("{\\rtf1 text}");
    // A printer that has no output at all: the system's, on a machine without one.
    PrinterService bare;
    if (!bare.available())
        QCOMPARE(PrintRichText(bare, *doc, 1440, 1440, 1440, 1440).outcome, PrintResult::NoPrinter);
    service.setOutputPdf(file);
    const PrintResult r = PrintRichText(service, *doc, 1440, 1440, 1440, 1440);
    QCOMPARE(r.outcome, PrintResult::NoPrinter);
    QCOMPARE(r.pages, 0);
    QVERIFY(!QFile::exists(file));
}

void TestPrinting::marginsLeaveNoRoom_data() {
    QTest::addColumn<qint32>("left");
    QTest::addColumn<double>("other");
    QTest::newRow("wider than the paper") << qint32(1440) << 20000.0;
    QTest::newRow("left beyond 32 bits") << qint32(INT_MIN) << 1440.0;
    QTest::newRow("others beyond 32 bits") << qint32(1440) << 1e11;
    QTest::newRow("not a number") << qint32(1440) << std::numeric_limits<double>::quiet_NaN();
}

void TestPrinting::marginsLeaveNoRoom() {
    QFETCH(qint32, left);
    QFETCH(double, other);
    PrinterService service;
    const QString file = pdf(QStringLiteral("nomargin"));
    service.setOutputPdf(file);
    const auto doc = readDoc("{\\rtf1 text}");
    const PrintResult r = PrintRichText(service, *doc, left, other, other, other);
    QCOMPARE(r.outcome, PrintResult::Failed);
    QVERIFY(!r.reason.isEmpty());
    QVERIFY(!QFile::exists(file));
}

void TestPrinting::outputCannotBeWritten() {
    PrinterService service;
    const PrintResult r =
        printTo(service, m_dir.filePath(QStringLiteral("no/such/folder/x.pdf")), "{\\rtf1 text}");
    QCOMPARE(r.outcome, PrintResult::Failed);
    QVERIFY(!r.reason.isEmpty());
}

void TestPrinting::printSystemAnswer_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<bool>("printed");
    QTest::newRow("takes the job") << QStringLiteral("Takes") << true;
    QTest::newRow("rejects jobs") << QStringLiteral("Rejects") << false;
    QTest::newRow("stopped") << QStringLiteral("Stopped") << false;
    QTest::newRow("refuses the job handed over") << QStringLiteral("Forbids") << false;
}

// Printed only when the print system took the job; a stopped queue would
// keep it unprinted, so it must not get it.
void TestPrinting::printSystemAnswer() {
    QFETCH(QString, queue);
    QFETCH(bool, printed);
    REQUIRE_CUPS(m_cups);
    if (!m_queuesMade) {
        for (const char* q : {"Takes", "Rejects", "Stopped", "Forbids"})
            QVERIFY(m_cups.addQueue(QLatin1String(q)));
        QVERIFY(m_cups.reject(QStringLiteral("Rejects")));
        QVERIFY(m_cups.stop(QStringLiteral("Stopped")));
        QVERIFY(m_cups.forbid(QStringLiteral("Forbids")));
        m_queuesMade = true;
    }
    PrinterService service;
    service.printer().setPrinterName(queue);
    const QList<int> before = m_cups.jobs(queue);
    const auto doc = readDoc(paragraphs(80));
    const PrintResult r = PrintRichText(service, *doc, 1440, 1440, 1440, 1440);
    const QList<int> after = m_cups.jobs(queue);
    if (printed) {
        QCOMPARE(r.outcome, PrintResult::Printed);
        QVERIFY(r.pages >= 2);
        QCOMPARE(after.size(), before.size() + 1);
        QTemporaryFile pdf;
        QVERIFY(pdf.open());
        pdf.write(m_cups.document(after.last()));
        pdf.close();
        QCOMPARE(pdfPageCount(pdf.fileName()), r.pages);
    } else {
        QCOMPARE(r.outcome, PrintResult::Failed);
        QVERIFY(!r.reason.isEmpty());
        QCOMPARE(after, before);
    }
}

void TestPrinting::formatRangeAnswersTheFirstCharacterThatDidNotFit() {
    const auto doc = readDoc(paragraphs(100));
    QPdfWriter writer(pdf(QStringLiteral("pages")));
    writer.setResolution(300);
    const RichTextPages pages(*doc, &writer, QSizeF(6.5 * 300, 3 * 300)); // 6.5 x 3 inches
    QVERIFY(pages.pageCount() > 3);
    QCOMPARE(pages.textLength(), doc->characterCount() - 1);
    int cpMin = 0;
    int page = 0;
    for (;;) {
        QCOMPARE(pages.pageOf(cpMin), page);
        const int next = pages.formatRange(nullptr, QPointF(), cpMin);
        QVERIFY(next > cpMin);
        if (next >= pages.textLength())
            break;
        // The next page starts with a whole line of the document.
        QTextCursor c(doc.get());
        c.setPosition(next);
        QVERIFY(c.atBlockStart());
        cpMin = next;
        ++page;
    }
    QCOMPARE(page + 1, pages.pageCount());
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
