#include "scrollbar.h"

#include <QKeyEvent>

// The slider always runs 0 … |Max|; with a negative maximum its position p
// stands for the value −p, which keeps 0 at the left (top) end.
ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    QScrollBar::setRange(0, 0);
    setTracking(false); // no Change while the thumb is dragged
    // A click on the bar gives it the focus, so the arrow keys, Page Up/Down,
    // Home and End scroll the ad from then on.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::fromSlider);
    connect(this, &QAbstractSlider::sliderMoved, this,
            [this](int position) { emit Scroll(m_max < 0 ? -position : position); });
}

void ScrollBar::setMax(int max) {
    m_max = max;
    {
        const QSignalBlocker block(this);
        QScrollBar::setRange(0, max < 0 ? -max : max);
    }
    apply(m_value, true);
}

void ScrollBar::setValue(int value) {
    apply(value, true);
}

void ScrollBar::apply(int value, bool notify) {
    const int lo = qMin(0, m_max), hi = qMax(0, m_max);
    value = qBound(lo, value, hi);
    {
        const QSignalBlocker block(this);
        QScrollBar::setValue(m_max < 0 ? -value : value);
    }
    if (value == m_value)
        return;
    m_value = value;
    if (notify)
        emit Change(value);
}

void ScrollBar::fromSlider(int position) {
    apply(m_max < 0 ? -position : position, true);
}

void ScrollBar::keyPressEvent(QKeyEvent* event) {
    // Qt's horizontal scroll bar takes Right for a step back; here Right moves
    // the thumb right, as the arrow at that end does.
    if (orientation() == Qt::Horizontal && event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        triggerAction(event->key() == Qt::Key_Right ? SliderSingleStepAdd : SliderSingleStepSub);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}
