#include "picturebox.h"

#include "accessible.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    ensureAccessibleControls();
    setAutoFillBackground(true);
}

void PictureBox::setBackColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

void PictureBox::setPicture(const QPixmap& picture) {
    m_picture = picture;
    if (m_autoSize && !picture.isNull())
        resize(picture.size());
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setClipRect(event->rect());
    p.drawPixmap(0, 0, m_picture);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

StretchImage::StretchImage(QWidget* parent) : QWidget(parent) {
    ensureAccessibleControls();
    stayBelowWindowedSiblings();
}

namespace {

// Images and labels are drawn on their container; everything else is a window of its own.
bool isLightweight(const QWidget* w) {
    return qobject_cast<const StretchImage*>(w) || qobject_cast<const QLabel*>(w);
}

} // namespace

bool StretchImage::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ZOrderChange)
        stayBelowWindowedSiblings();
    return handled;
}

// Children are listed bottom first: the image goes under the lowest windowed
// sibling that now lies below it.
void StretchImage::stayBelowWindowedSiblings() {
    QWidget* container = parentWidget();
    if (!container)
        return;
    for (QObject* o : container->children()) {
        if (o == this)
            return; // every windowed sibling is already above
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && !isLightweight(w)) {
            stackUnder(w);
            return;
        }
    }
}

void StretchImage::setPicture(const QPixmap& picture, const QImage& stretched) {
    m_picture = picture;
    m_scaled = stretched.isNull() ? QPixmap() : QPixmap::fromImage(stretched);
    update();
}

void StretchImage::paintEvent(QPaintEvent*) {
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return;
    if (m_scaled.size() != size())
        m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter p(this);
    p.drawPixmap(0, 0, m_scaled);
}

void StretchImage::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void StretchImage::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}
