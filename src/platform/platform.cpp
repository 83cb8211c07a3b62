#include "platform.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

void Platform::terminate() {
    if (taskbar)
        taskbar->restoreIfHidden();
    pointer.set(MousePointer::Default);
    if (instanceLock)
        instanceLock->release();
    if (endProcess)
        endProcess();
    else
        endProcessNow();
}

void Platform::endProcessNow() {
    std::fflush(nullptr);
    // At once, with no further event and no teardown of windows that are open.
    ::_exit(0);
}
