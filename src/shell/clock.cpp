#include "clock.h"

#include "form1.h"
#include "widgets/panel3d.h"

namespace {

// What a locale's short format puts between its first two fields ("/" in
// "M/d/yy", "." in "dd.MM.yy", ":" in "HH:mm"); `fallback` when nothing
// but spaces.
QString separatorOf(const QString& format, const QString& fallback) {
    qsizetype i = 0;
    while (i < format.size() && format.at(i).isLetter())
        ++i;
    const qsizetype start = i;
    while (i < format.size() && !format.at(i).isLetter() && format.at(i) != QLatin1Char('\''))
        ++i;
    // Spaces alone ("d MMM yyyy") separate no numbers; "yyyy. MM. dd." does.
    const QString separator = format.mid(start, i - start).trimmed();
    return separator.isEmpty() ? fallback : separator;
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString clockTimeText(const QTime& time, const QLocale& locale) {
    int h = time.hour() % 12;
    if (h == 0)
        h = 12;
    const QString sep = separatorOf(locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
    return twoDigits(h) + sep + twoDigits(time.minute()) + sep + twoDigits(time.second()) +
           (time.hour() < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
}

QString clockDateText(const QDate& date, const QLocale& locale) {
    const QString sep = separatorOf(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
    return twoDigits(date.month()) + sep + twoDigits(date.day()) + sep +
           twoDigits(date.year() % 100);
}

QString clockDayText(const QDate& date, const QLocale& locale) {
    return locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
}

void UpdateClock(Form1& form) {
    form.StatusTime->setCaption(clockTimeText(QTime::currentTime()));
    form.StatusDate->setCaption(clockDateText(QDate::currentDate()));
    form.StatusDay->setCaption(clockDayText(QDate::currentDate()));
}
