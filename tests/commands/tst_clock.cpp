// The three clock panels of the main window.
#include "fixtures.h"
#include "shell/clock.h"
#include "shell/form1.h"
#include "widgets/panel3d.h"

#include <QTimer>
#include <QtTest>

class TestClock : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void weekdayAndSeparatorsInTheGivenLanguage();
    void panelsFollowTheClock();
    void hiddenPanelsAreUpdatedToo();
};

void TestClock::texts_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("day");
    auto at = [](int y, int mo, int d, int h, int mi, int s) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
    };
    QTest::newRow("afternoon") << at(1997, 12, 8, 14, 5, 9) << "02:05:09 pm"
                               << "12/08/97"
                               << "Monday";
    QTest::newRow("midnight") << at(1997, 12, 9, 0, 0, 0) << "12:00:00 am"
                              << "12/09/97"
                              << "Tuesday";
    QTest::newRow("last second of the morning") << at(1998, 1, 1, 11, 59, 59) << "11:59:59 am"
                                                << "01/01/98"
                                                << "Thursday";
    QTest::newRow("noon") << at(1998, 1, 1, 12, 0, 0) << "12:00:00 pm"
                          << "01/01/98"
                          << "Thursday";
    QTest::newRow("last second of the day") << at(1999, 12, 31, 23, 59, 59) << "11:59:59 pm"
                                            << "12/31/99"
                                            << "Friday";
    QTest::newRow("year 2000") << at(2000, 2, 29, 1, 2, 3) << "01:02:03 am"
                               << "02/29/00"
                               << "Tuesday";
}

void TestClock::texts() {
    QFETCH(QDateTime, now);
    QFETCH(QString, time);
    QFETCH(QString, date);
    QFETCH(QString, day);
    QCOMPARE(clockTimeText(now.time()), time);
    QCOMPARE(clockDateText(now.date()), date);
    QCOMPARE(clockDayText(now.date(), QLocale(QLocale::English)), day);
}

void TestClock::weekdayAndSeparatorsInTheGivenLanguage() {
    const QDate monday(1997, 12, 8);
    QCOMPARE(clockDayText(monday, QLocale(QLocale::German)), QStringLiteral("Montag"));
    // The locale's own separators stand for "/" and ":".
    QCOMPARE(clockDateText(monday, QLocale("de_DE")) + clockTimeText({14, 5, 9}, QLocale("fi_FI")),
             QStringLiteral("12.08.9702.05.09 pm"));
    QCOMPARE(clockDayText(monday, QLocale(QLocale::French)), QStringLiteral("lundi"));
    QCOMPARE(clockDayText(monday), QLocale::system().dayName(1, QLocale::LongFormat));
}

void TestClock::panelsFollowTheClock() {
    TestEnv env;
    Form1 form(env.app());
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(form.Timer1->interval(), 100);
    // The design captions are gone before the window is first shown.
    QVERIFY(form.StatusTime->caption() != QLatin1String("StatusTime"));
    QVERIFY(form.StatusDate->caption() != QLatin1String("StatusDate"));
    QVERIFY(form.StatusDay->caption() != QLatin1String("StatusDay"));
    form.show();
    // A new second reaches the panel; the panels agree with the clock.
    const QString first = form.StatusTime->caption();
    QTRY_VERIFY_WITH_TIMEOUT(form.StatusTime->caption() != first, 2500);
    QTRY_COMPARE(form.StatusTime->caption(), clockTimeText(QTime::currentTime()));
    QTRY_COMPARE(form.StatusDate->caption(), clockDateText(QDate::currentDate()));
    QTRY_COMPARE(form.StatusDay->caption(), clockDayText(QDate::currentDate()));
}

void TestClock::hiddenPanelsAreUpdatedToo() {
    TestEnv env;
    Form1 form(env.app());
    form.show();
    for (Panel3D* p : {form.StatusDay, form.StatusDate, form.StatusTime}) {
        p->hide();
        p->setCaption(QStringLiteral("stale"));
    }
    QTRY_VERIFY(form.StatusTime->caption() != QLatin1String("stale"));
    QVERIFY(form.StatusDate->caption() != QLatin1String("stale"));
    QVERIFY(form.StatusDay->caption() != QLatin1String("stale"));
    QVERIFY(!form.StatusTime->isVisible());
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
