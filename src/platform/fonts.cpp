#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The heaviest weight a family has; bold when it tells none.
QFont::Weight heaviestWeight(const QString& family) {
    int heaviest = QFont::Bold;
    for (const QString& style : QFontDatabase::styles(family))
        heaviest = qMax(heaviest, QFontDatabase::weight(family, style));
    return QFont::Weight(heaviest);
}

} // namespace

QFont designFont(const QString& family, double points, bool bold) {
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    // A heavy face the system lacks reads as designed in the heaviest weight
    // of the metric-compatible family the program installs.
    const QString compatible = QStringLiteral("Liberation Sans");
    if (family == QLatin1String("Arial Black") && !QFontDatabase::hasFamily(family) &&
        QFontDatabase::hasFamily(compatible)) {
        f.setFamily(compatible);
        f.setWeight(heaviestWeight(compatible));
    }
    return f;
}
