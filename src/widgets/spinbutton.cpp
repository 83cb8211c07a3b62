#include "spinbutton.h"

#include <QToolButton>

SpinButton::SpinButton(QWidget* parent) : QWidget(parent) {
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::LeftArrow);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::RightArrow);
    m_down->setAccessibleName(QStringLiteral("Back"));
    m_up->setAccessibleName(QStringLiteral("Forward"));
    for (QToolButton* b : {m_down, m_up}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_down, &QToolButton::clicked, this, &SpinButton::SpinDown);
    connect(m_up, &QToolButton::clicked, this, &SpinButton::SpinUp);
}

void SpinButton::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    m_down->setGeometry(0, 0, half, height());
    m_up->setGeometry(half, 0, width() - half, height());
}
