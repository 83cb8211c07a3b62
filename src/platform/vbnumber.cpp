#include "vbnumber.h"

#include <cmath>

QString singleToText(float value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (value == 0.0f)
        return QStringLiteral("0");
    QString s = QString::number(double(value), 'g', 7);
    // Exponent form as the runtime writes it: "1E+08", "1.5E-09".
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mant = s.left(e);
        QString exp = s.mid(e + 1);
        const QChar sign = exp.startsWith(QLatin1Char('-')) ? QLatin1Char('-') : QLatin1Char('+');
        exp.remove(QLatin1Char('+')).remove(QLatin1Char('-'));
        while (exp.size() < 2)
            exp.prepend(QLatin1Char('0'));
        s = mant + QLatin1Char('E') + sign + exp;
    }
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

QString StrSingle(float value) {
    const QString s = singleToText(value);
    return value < 0 ? s : QLatin1Char(' ') + s;
}

bool textToSingle(const QString& text, float* value) {
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 3.402823e38)
        return false;
    *value = float(d);
    return true;
}
