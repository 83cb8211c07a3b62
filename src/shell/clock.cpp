#include "clock.h"

#include "form1.h"
#include "widgets/panel3d.h"

QString clockTimeText(const QTime& time) {
    int h = time.hour() % 12;
    if (h == 0)
        h = 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

QString clockDateText(const QDate& date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year() % 100, 2, 10, QLatin1Char('0'));
}

QString clockDayText(const QDate& date, const QLocale& locale) {
    return locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
}

void UpdateClock(Form1& form) {
    form.StatusTime->setCaption(clockTimeText(QTime::currentTime()));
    form.StatusDate->setCaption(clockDateText(QDate::currentDate()));
    form.StatusDay->setCaption(clockDayText(QDate::currentDate()));
}
