#include "button3d.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

Button3D::Button3D(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void Button3D::setCaptionColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::ButtonText, color);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, color.lighter(170));
    setPalette(p);
}

QColor Button3D::captionColor() const {
    return palette().color(QPalette::Active, QPalette::ButtonText);
}

int virtualKeyCode(int key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;
    switch (key) {
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 190;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Minus:
        return 189;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    default:
        if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
            return 112 + (key - Qt::Key_F1);
        return key & 0xFFFF;
    }
}

// Keys that reach for the menu bar or only change other keys: a modifier
// pressed alone, anything with Alt or Ctrl held, F10 and the Menu key.
bool reachesForMenuOrModifies(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return true;
    switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_F10:
    case Qt::Key_Menu:
        return true;
    default:
        return false;
    }
}

void Button3D::keyPressEvent(QKeyEvent* event) {
    // Keys on their way to the menu bar pass on to the window (Ctrl+Space
    // must not press the button either); focus travel keeps working; every
    // other key is the button's own.
    if (reachesForMenuOrModifies(*event)) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        QPushButton::keyPressEvent(event);
        return;
    }
    if (receivers(SIGNAL(keyDown(int))) > 0) {
        emit keyDown(virtualKeyCode(event->key()));
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void Button3D::paintEvent(QPaintEvent*) {
    // The style draws the focus frame only after focus moved by keyboard; the
    // program moves it itself (to the next year after a click), and the user
    // must see where the keys go then too.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (hasFocus())
        option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    painter.drawControl(QStyle::CE_PushButton, option);
}
