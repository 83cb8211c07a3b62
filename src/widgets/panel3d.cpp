#include "panel3d.h"

#include "accessible.h"

#include <QAccessible>
#include <QPainter>

Panel3D::Panel3D(QWidget* parent) : QFrame(parent) {
    ensureAccessibleControls();
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(p);
}

void Panel3D::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void Panel3D::setFloodPercent(int percent) {
    percent = qBound(0, percent, 100);
    m_flood = true;
    if (percent == m_percent)
        return;
    m_percent = percent;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, percent);
        QAccessible::updateAccessibility(&event);
    }
}

void Panel3D::setCaptionColor(const QColor& color) {
    m_captionColor = color;
    update();
}

void Panel3D::setAlignment(Qt::Alignment a) {
    m_align = a;
    update();
}

void Panel3D::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect inner = contentsRect().adjusted(1, 1, -1, -1);
    QRect bar;
    if (m_flood && m_percent > 0) {
        bar = inner;
        bar.setWidth(inner.width() * m_percent / 100);
        p.fillRect(bar, QColor(0, 0, 128));
    }
    if (m_caption.isEmpty())
        return;
    p.setFont(font());
    // A panel's caption stays readable while its window is disabled.
    const QColor pen = m_captionColor.isValid()
                           ? m_captionColor
                           : palette().color(QPalette::Active, QPalette::WindowText);
    const int flags = int(m_align) | Qt::TextSingleLine;
    p.setClipRegion(QRegion(inner).subtracted(bar));
    p.setPen(pen);
    p.drawText(inner, flags, m_caption);
    if (bar.isEmpty())
        return;
    // Over the bar the caption takes the inverse colour, so that the part of
    // it the bar has reached can still be read.
    p.setClipRect(bar);
    p.setPen(QColor(255 - pen.red(), 255 - pen.green(), 255 - pen.blue()));
    p.drawText(inner, flags, m_caption);
}
