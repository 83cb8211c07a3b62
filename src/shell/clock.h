#pragma once

#include <QDateTime>
#include <QLocale>

class Form1;

// The three clock panels: weekday, date and time, each read anew.
void UpdateClock(Form1& form);

// "hh:mm:ss am/pm" on the 12-hour clock with lower-case am/pm.
QString clockTimeText(const QTime& time);
// "mm/dd/yy".
QString clockDateText(const QDate& date);
// The full weekday name, in the system's language unless another is given.
QString clockDayText(const QDate& date, const QLocale& locale = QLocale::system());
