#pragma once

#include <QDateTime>
#include <QLocale>

class Form1;

// The three clock panels: weekday, date and time, each read anew.
void UpdateClock(Form1& form);

// "hh:mm:ss am/pm" on the 12-hour clock with lower-case am/pm; ":" is the
// locale's time separator.
QString clockTimeText(const QTime& time, const QLocale& locale = QLocale::system());
// "mm/dd/yy"; "/" is the locale's date separator.
QString clockDateText(const QDate& date, const QLocale& locale = QLocale::system());
// The full weekday name, in the system's language unless another is given.
QString clockDayText(const QDate& date, const QLocale& locale = QLocale::system());
