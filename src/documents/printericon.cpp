#include "printericon.h"

#include <QPainter>

QPixmap printerPicture() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QColor outline(40, 40, 40);
    // Paper fed in at the top.
    p.setPen(outline);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);
    // The printer's body with its output slot.
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(1, 6, 13, 6);
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(3, 12, 9, 2);
    // The printed sheet coming out, and a green power light.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(4, 12, 7, 3);
    p.setBrush(QColor(0, 170, 0));
    p.drawRect(11, 8, 2, 1);
    p.setPen(QColor(90, 90, 90));
    p.drawLine(5, 13, 9, 13);
    p.end();
    return QPixmap::fromImage(image);
}
