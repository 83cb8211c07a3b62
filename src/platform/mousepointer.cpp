#include "mousepointer.h"

#include <QCursor>
#include <QGuiApplication>

MousePointer::~MousePointer() {
    set(Default);
}

void MousePointer::set(int pointer) {
    const bool busy = pointer == Hourglass;
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}
