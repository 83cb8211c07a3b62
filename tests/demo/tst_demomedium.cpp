#include "demo_medium.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

class TestDemoMedium : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writesPlannedFiles();
    void picturesDecodeAtPlannedSize();
    void planCoversViewSizes();
    void adsDifferVisibly();
    void rtfDocuments_data();
    void rtfDocuments();
    void unwritableLocationFails();

private:
    QTemporaryDir m_tmp;
    QString m_medium;
};

namespace {

QSet<QString> adsOfYear(const QSet<QString>& files, int year) {
    QSet<QString> result;
    const QString prefix = QStringLiteral("%1tova").arg(year % 100, 2, 10, QLatin1Char('0'));
    for (const QString& f : files)
        if (f.startsWith(prefix))
            result << f;
    return result;
}

QSet<QString> names(int year, std::initializer_list<int> numbers) {
    QSet<QString> result;
    for (int n : numbers)
        result << demo::adFileName(year, n);
    return result;
}

// Braces must nest properly and close exactly at the end; \{ \} \\ are literal text.
bool bracesBalanced(const QByteArray& rtf) {
    int depth = 0;
    const QByteArray body = rtf.trimmed();
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        if (c == '\\')
            ++i;
        else if (c == '{')
            ++depth;
        else if (c == '}' && (--depth < 0 || (depth == 0 && i != body.size() - 1)))
            return false;
    }
    return depth == 0;
}

} // namespace

void TestDemoMedium::initTestCase() {
    QVERIFY(m_tmp.isValid());
    m_medium = m_tmp.filePath(QStringLiteral("medium"));
    QString error;
    QVERIFY2(demo::writeDemoMedium(m_medium, &error), qPrintable(error));
    // Writing again must overwrite cleanly.
    QVERIFY2(demo::writeDemoMedium(m_medium, &error), qPrintable(error));
}

void TestDemoMedium::writesPlannedFiles() {
    const QDir ads(m_medium + QStringLiteral("/ads"));
    const QStringList list = ads.entryList(QDir::Files);
    const QSet<QString> files(list.cbegin(), list.cend());

    QSet<QString> planned;
    for (const demo::YearPlan& y : demo::demoPlan())
        for (int n : y.numbers)
            planned << demo::adFileName(y.year, n);
    QCOMPARE(files, planned);

    QCOMPARE(adsOfYear(files, 1964), names(1964, {0, 1, 2, 3}));
    QCOMPARE(adsOfYear(files, 1965), names(1965, {0}));
    QCOMPARE(adsOfYear(files, 1966), names(1966, {0, 1, 3}));
    QVERIFY(adsOfYear(files, 1970).isEmpty());
    QSet<QString> full;
    for (int n = 0; n <= 30; ++n)
        full << demo::adFileName(1972, n);
    QCOMPARE(adsOfYear(files, 1972), full);
    QVERIFY(files.contains(QStringLiteral("72tova30.jpg")));
    for (int year = 1964; year <= 1999; ++year) {
        if (year == 1970 || (year >= 1964 && year <= 1966) || year == 1972)
            continue;
        const qsizetype count = adsOfYear(files, year).size();
        QVERIFY2(count == 2 || count == 3, qPrintable(QString::number(year)));
    }

    const QStringList docs = QDir(m_medium + QStringLiteral("/RichText")).entryList(QDir::Files);
    QCOMPARE(QSet<QString>(docs.cbegin(), docs.cend()),
             (QSet<QString>{QStringLiteral("KestrunAdsList.rtf"), QStringLiteral("notice.rtf"),
                            QStringLiteral("Register.rtf")}));
}

void TestDemoMedium::picturesDecodeAtPlannedSize() {
    for (const demo::YearPlan& y : demo::demoPlan()) {
        QCOMPARE(y.sizes.size(), y.numbers.size());
        for (qsizetype i = 0; i < y.numbers.size(); ++i) {
            const QString path =
                m_medium + QStringLiteral("/ads/") + demo::adFileName(y.year, y.numbers[i]);
            QImageReader reader(path);
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(path + QLatin1Char(' ') + reader.errorString()));
            QCOMPARE(image.size(), y.sizes[i]);
        }
    }
}

void TestDemoMedium::planCoversViewSizes() {
    const QSize view(775, 492);
    bool larger = false;
    bool smaller = false;
    for (const demo::YearPlan& y : demo::demoPlan())
        for (const QSize& s : y.sizes) {
            larger |= s.width() > view.width() && s.height() > view.height();
            smaller |= s.width() < view.width() && s.height() < view.height();
        }
    QVERIFY(larger);
    QVERIFY(smaller);
}

void TestDemoMedium::adsDifferVisibly() {
    const QImage a = demo::adPicture(1972, 0, QSize(300, 375));
    QCOMPARE(a.size(), QSize(300, 375));
    QVERIFY(a != demo::adPicture(1972, 1, QSize(300, 375)));
    QVERIFY(a != demo::adPicture(1973, 0, QSize(300, 375)));
}

void TestDemoMedium::rtfDocuments_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("checklist") << QStringLiteral("KestrunAdsList.rtf");
    QTest::newRow("notice") << QStringLiteral("notice.rtf");
    QTest::newRow("register") << QStringLiteral("Register.rtf");
}

void TestDemoMedium::rtfDocuments() {
    QFETCH(QString, name);
    QFile file(m_medium + QStringLiteral("/RichText/") + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QVERIFY(bracesBalanced(rtf));
    if (name == QStringLiteral("KestrunAdsList.rtf")) {
        const qsizetype row = rtf.indexOf("\\trowd");
        QVERIFY(row >= 0);
        QVERIFY(rtf.indexOf("\\cellx", row) > row);
        QVERIFY(rtf.indexOf("\\cell ", row) > row);
        QVERIFY(rtf.indexOf("\\row", row + 6) > row);
    }
}

void TestDemoMedium::unwritableLocationFails() {
    const QString plainFile = m_tmp.filePath(QStringLiteral("plain-file"));
    QFile file(plainFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QString error;
    QVERIFY(!demo::writeDemoMedium(plainFile + QStringLiteral("/medium"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestDemoMedium)
#include "tst_demomedium.moc"
