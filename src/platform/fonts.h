#pragma once

#include <QFont>

// The designed fonts, with a sans-serif stand-in where the family is missing.
QFont designFont(const QString& family, double points, bool bold = false);
inline QFont msSansSerif(double points = 8.25, bool bold = false) {
    return designFont(QStringLiteral("MS Sans Serif"), points, bold);
}
inline QFont arial(double points, bool bold = false) {
    return designFont(QStringLiteral("Arial"), points, bold);
}
