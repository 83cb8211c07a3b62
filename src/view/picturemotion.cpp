#include "picturemotion.h"

#include "shell/form1.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

class PictureMotion : public QObject {
public:
    explicit PictureMotion(Form1& form) : QObject(form.picDest), m_form(form) {}

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Wheel:
            wheel(*static_cast<QWheelEvent*>(event));
            return true;
        case QEvent::MouseButtonPress:
            press(*static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseMove:
            drag(*static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                m_form.picDest->unsetCursor();
            break;
        default:
            break;
        }
        return false; // double-clicks and the pop-up menu still reach the picture
    }

private:
    // A value moved by `by` pixels, on a bar that is on view.
    static void moveBy(ScrollBar* bar, int from, int by) {
        if (!bar->isHidden() && by != 0)
            bar->setValue(from - by);
    }

    void wheel(const QWheelEvent& event) {
        QPoint delta = event.pixelDelta();
        if (delta.isNull()) {
            // Notches of 120, a few lines each, as in every scrolled view;
            // fine touchpad steps add up until they make a pixel.
            const int lines = QApplication::wheelScrollLines();
            m_rest += event.angleDelta() * lines;
            const QPoint step(m_form.HScroll1->singleStep(), m_form.VScr->singleStep());
            delta = QPoint(m_rest.x() * step.x() / 120, m_rest.y() * step.y() / 120);
            m_rest -=
                QPoint(delta.x() * 120 / qMax(1, step.x()), delta.y() * 120 / qMax(1, step.y()));
        }
        if ((event.modifiers() & Qt::ShiftModifier) && delta.x() == 0)
            delta = QPoint(delta.y(), 0);
        moveBy(m_form.HScroll1, m_form.HScroll1->Value(), delta.x());
        moveBy(m_form.VScr, m_form.VScr->Value(), delta.y());
    }

    void press(const QMouseEvent& event) {
        if (event.button() != Qt::LeftButton)
            return;
        m_from = event.globalPosition().toPoint();
        m_start = QPoint(m_form.HScroll1->Value(), m_form.VScr->Value());
        m_form.picDest->setCursor(Qt::ClosedHandCursor);
    }

    // The picture follows the pointer: a drag to the right shows more of its
    // left side.
    void drag(const QMouseEvent& event) {
        if (!(event.buttons() & Qt::LeftButton))
            return;
        const QPoint moved = event.globalPosition().toPoint() - m_from;
        moveBy(m_form.HScroll1, m_start.x(), moved.x());
        moveBy(m_form.VScr, m_start.y(), moved.y());
    }

    Form1& m_form;
    QPoint m_rest;
    QPoint m_from;
    QPoint m_start;
};

} // namespace

void ConnectPictureMotion(Form1& form) {
    form.picDest->installEventFilter(new PictureMotion(form));
}
