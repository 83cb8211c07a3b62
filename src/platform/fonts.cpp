#include "fonts.h"

QFont designFont(const QString& family, double points, bool bold) {
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}
