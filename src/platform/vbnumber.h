#pragma once

#include <QString>

// Number-to-text conversions of single-precision values as the original
// runtime makes them: up to seven significant digits, no fraction for whole
// numbers, a point as decimal separator.
QString singleToText(float value);
// The same with a leading blank for numbers that are not negative.
QString StrSingle(float value);
// Text to a single-precision number as the runtime reads a setting: blanks
// around are allowed; anything else that is not a number fails.
bool textToSingle(const QString& text, float* value);
