// Stepping through the ads of a year with the spin button and the comma and
// period keys: gaps, wraps, one-ad years, a medium that goes away.
#include "browser.h"
#include "catalogue/lookahead.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QtTest>

class TestStepping : public QObject {
    Q_OBJECT
private slots:
    void spinThroughAYear_data();
    void spinThroughAYear();
    void oneAdYearOnlyMovesTheFocus();
    void keysStepTheYearOnViewFromAnyButton();
    void stepsResetTheScrollPositions();
    void mediumGoneBetweenSteps();
    void stepBeforeAnyYear();
    void preparedPicturesAreNeverStale();
    void slowDriveNeverHoldsUpTheWindow();
};

// Each step is 'u' (up arrow) or 'd' (down arrow), followed by the counter expected.
void TestStepping::spinThroughAYear_data() {
    QTest::addColumn<QList<int>>("ads");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("counters");
    QTest::addColumn<QList<int>>("shown"); // ad number whose picture is on view after each step
    QTest::newRow("forward round")
        << QList<int>{0, 1, 2, 3} << "uuuu" << QStringList{"2 of 4", "3 of 4", "4 of 4", "1 of 4"}
        << QList<int>{1, 2, 3, 0};
    QTest::newRow("backward wrap")
        << QList<int>{0, 1, 2, 3} << "ddd" << QStringList{"4 of 4", "3 of 4", "2 of 4"}
        << QList<int>{3, 2, 1};
    QTest::newRow("gap skipped both ways")
        << QList<int>{0, 1, 3} << "uudd" << QStringList{"2 of 4", "4 of 4", "2 of 4", "1 of 4"}
        << QList<int>{1, 3, 1, 0};
    QTest::newRow("gap then wrap")
        << QList<int>{0, 1, 3} << "uuu" << QStringList{"2 of 4", "4 of 4", "1 of 4"}
        << QList<int>{1, 3, 0};
    QList<int> all;
    for (int n = 0; n <= 30; ++n)
        all << n;
    QTest::newRow("31 ads: back from the first reaches 30")
        << all << "dd" << QStringList{"31 of 31", "30 of 31"} << QList<int>{30, 29};
    QTest::newRow("31 ads: forward from 30 wraps to 00")
        << all << "du" << QStringList{"31 of 31", "1 of 31"} << QList<int>{30, 0};
    QTest::newRow("two ads") << QList<int>{0, 1} << "uud"
                             << QStringList{"2 of 2", "1 of 2", "2 of 2"} << QList<int>{1, 0, 1};
}

void TestStepping::spinThroughAYear() {
    QFETCH(QList<int>, ads);
    QFETCH(QString, steps);
    QFETCH(QStringList, counters);
    QFETCH(QList<int>, shown);
    Browser b;
    b.addAds(1972, ads);
    b.start();
    b.clickYear(1972);
    QCOMPARE(b.counter(), QStringLiteral("1 of %1").arg(ads.last() + 1));
    QCOMPARE(b.focusedYear(), 1973);
    b.stepThrough(1972, steps, counters, shown);
}

void TestStepping::oneAdYearOnlyMovesTheFocus() {
    Browser b;
    b.addAds(1965, {0}, QSize(900, 1000));
    b.start();
    Form1& f = *b.form;
    b.clickYear(1965);
    f.VScr->setValue(40);
    f.HScroll1->setValue(30);
    const qint64 key = f.PicSrc->picture().cacheKey();
    f.cmdYear[20]->setFocus();
    b.spinUp();
    QCOMPARE(b.focusedYear(), 1966);
    b.spinDown();
    QCOMPARE(b.counter(), QStringLiteral("1 of 1"));
    QCOMPARE(f.PicSrc->picture().cacheKey(), key);
    QCOMPARE(f.VScr->Value(), 40);
    QCOMPARE(f.HScroll1->Value(), 30);
    // The keys hand the focus back to the button they were pressed on.
    f.cmdYear[20]->setFocus();
    QTest::keyClick(f.cmdYear[20], Qt::Key_Period);
    QCOMPARE(b.focusedYear(), 1984);
    QTest::keyClick(f.cmdYear[20], Qt::Key_Comma);
    QCOMPARE(b.focusedYear(), 1984);
    QCOMPARE(b.app().ViewerState.YearIndex, qint16(1));
    QCOMPARE(f.PicSrc->picture().cacheKey(), key);
}

void TestStepping::keysStepTheYearOnViewFromAnyButton() {
    Browser b;
    b.addAds(1964, {0, 1, 2, 3});
    b.addAds(1980, {0});
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    Button3D* b1980 = f.cmdYear[1980 - 1964];
    b1980->setFocus();
    QTest::keyClick(b1980, Qt::Key_Period);
    QCOMPARE(b.counter(), QStringLiteral("2 of 4"));
    QVERIFY(b.showsFile(1964, 1));
    QCOMPARE(b.focusedYear(), 1980);
    QTest::keyClick(b1980, Qt::Key_Period);
    QTest::keyClick(b1980, Qt::Key_Comma);
    QCOMPARE(b.counter(), QStringLiteral("2 of 4"));
    QCOMPARE(b.focusedYear(), 1980);
    QCOMPARE(b.app().ViewerState.YearIndex, qint16(0)); // still 1964
    QCOMPARE(f.panText3->caption(), QStringLiteral("1964 "));
}

void TestStepping::stepsResetTheScrollPositions() {
    Browser b;
    b.addAds(1980, {0, 1}, QSize(1000, 1300));
    b.addAds(1981, {0}, QSize(900, 700));
    b.start();
    Form1& f = *b.form;
    b.clickYear(1980);
    QCOMPARE(f.VScr->Max(), 1300 - 529);
    QCOMPARE(f.HScroll1->Max(), 1000 - 795);
    f.VScr->setValue(300);
    f.HScroll1->setValue(150);
    b.spinUp();
    QCOMPARE(f.VScr->Value(), 0);
    QCOMPARE(f.HScroll1->Value(), 0);

    // A year selection keeps the values, lowered to a smaller maximum.
    f.VScr->setValue(300);
    f.HScroll1->setValue(150);
    b.clickYear(1981);
    QCOMPARE(f.VScr->Max(), 700 - 529);
    QCOMPARE(f.VScr->Value(), 700 - 529);
    QCOMPARE(f.HScroll1->Max(), 900 - 795);
    QCOMPARE(f.HScroll1->Value(), 900 - 795);
    b.clickYear(1980);
    QCOMPARE(f.VScr->Value(), 700 - 529);
}

void TestStepping::mediumGoneBetweenSteps() {
    Browser b;
    b.addAds(1964, {0, 1, 2, 3});
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    b.spinUp();
    b.spinUp();
    QCOMPARE(b.counter(), QStringLiteral("3 of 4"));
    const qint64 onView = f.PicSrc->picture().cacheKey();
    QVERIFY(QDir(b.medium).removeRecursively());

    // From ads 01–29 a step ends on ad 00, the last picture staying on view.
    b.spinUp();
    QCOMPARE(b.counter(), QStringLiteral("1 of 4"));
    QCOMPARE(f.PicSrc->picture().cacheKey(), onView);
    QCOMPARE(b.app().ViewerState.AdNumber, qint16(0));

    // From the first ad neither direction finds anything; only AdNumber moves.
    b.spinUp();
    QCOMPARE(b.counter(), QStringLiteral("1 of 4"));
    QCOMPARE(b.app().ViewerState.AdNumber, qint16(31));
    b.spinDown(); // from 31: searches 29 … 1
    QCOMPARE(b.app().ViewerState.AdNumber, qint16(0));
    b.spinDown(); // from the first ad: 30 … 1
    QCOMPARE(b.app().ViewerState.AdNumber, qint16(0));
    QCOMPARE(b.counter(), QStringLiteral("1 of 4"));
    QCOMPARE(f.PicSrc->picture().cacheKey(), onView);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(b.env.messages().calls.isEmpty());
}

void TestStepping::stepBeforeAnyYear() {
    Browser b;
    b.addAds(1964, {0});
    b.start();
    Form1& f = *b.form;
    // The spin button is hidden, but the keys work on the start values.
    f.cmdYear[3]->setFocus();
    QTest::keyClick(f.cmdYear[3], Qt::Key_Period);
    QCOMPARE(b.app().ViewerState.AdNumber, qint16(31));
    QTest::keyClick(f.cmdYear[3], Qt::Key_Comma);
    QCOMPARE(b.app().ViewerState.AdNumber, qint16(0));
    QVERIFY(!f.PicSrc->hasPicture());
    QCOMPARE(b.focusedYear(), 1967);
    QVERIFY(!QApplication::overrideCursor());
}

void TestStepping::preparedPicturesAreNeverStale() {
    Browser b;
    b.addAds(1964, {0, 1, 2, 3});
    b.addAds(1965, {0});
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    // Let the neighbours (01 and 03) be prepared.
    QCoreApplication::processEvents();
    f.lookAhead->waitForDone();

    // Ad 01 replaced by another picture, ad 03 gone, 1965 replaced: what is
    // on the medium now is what is shown.
    QVERIFY(QFile::remove(b.adFile(1964, 1)));
    writeAds(b.medium, 1964, {1}, QSize(90, 70));
    QVERIFY(QFile::remove(b.adFile(1964, 3)));
    QVERIFY(QFile::remove(b.adFile(1965, 0)));
    writeAds(b.medium, 1965, {0}, QSize(33, 44));
    b.spinUp();
    QCOMPARE(b.counter(), QStringLiteral("2 of 4"));
    QVERIFY(b.showsFile(1964, 1));
    QCOMPARE(f.PicSrc->size(), QSize(90, 70));
    b.spinDown();
    b.spinDown(); // back from the first ad: 03 is gone, 02 is next
    QCOMPARE(b.counter(), QStringLiteral("3 of 4"));
    QVERIFY(b.showsFile(1964, 2));
    b.clickYear(1965);
    QCOMPARE(f.PicSrc->size(), QSize(33, 44));

    // And an unchanged prepared picture is the file's picture.
    QCoreApplication::processEvents();
    f.lookAhead->waitForDone();
    b.clickYear(1964);
    QCoreApplication::processEvents();
    f.lookAhead->waitForDone();
    b.spinUp();
    QVERIFY(b.showsFile(1964, 1));
    QVERIFY(!f.Image1->grab().isNull());
}

// With the disc in a real drive the neighbours take a while to read: the
// window goes on handling its events meanwhile, and a disc taken out while
// they are read fails the next step as it always does.
void TestStepping::slowDriveNeverHoldsUpTheWindow() {
    Browser b;
    b.addAds(1964, {0, 1, 2, 3});
    b.env.mapDrive(QLatin1Char('D'), b.medium, SlowVolume::Speed{});
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    b.spinUp(); // the step's own load waits for the drive, as it must

    // Each neighbour costs the drive a 120 ms seek; for the first 100 ms the
    // window's clock must go on ticking every 10 ms.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, [&] {
        longest = qMax(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(10);
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    tick.stop();
    QVERIFY2(last > 0 && longest <= 50, qPrintable(QString::number(longest)));
    QVERIFY(f.lookAhead->busy());

    const qint64 onView = f.PicSrc->picture().cacheKey();
    QVERIFY(QDir(b.medium).removeRecursively());
    b.spinUp();
    QCOMPARE(b.counter(), QStringLiteral("1 of 4"));
    QCOMPARE(b.app().ViewerState.AdNumber, qint16(0));
    QCOMPARE(f.PicSrc->picture().cacheKey(), onView);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(b.env.messages().calls.isEmpty());
}

QTEST_MAIN(TestStepping)
#include "tst_stepping.moc"
