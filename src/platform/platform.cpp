#include "platform.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <unistd.h>

void Platform::terminate(int signal) {
    if (taskbar)
        taskbar->restoreIfHidden();
    pointer.set(MousePointer::Default);
    if (instanceLock)
        instanceLock->release();
    if (endProcess)
        endProcess(signal);
    else
        endProcessNow(signal);
}

void Platform::endProcessNow(int signal) {
    std::fflush(nullptr);
    if (signal != 0) {
        std::signal(signal, SIG_DFL);
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, signal);
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        std::raise(signal);
    }
    // At once, with no further event and no teardown of windows that are open.
    ::_exit(0);
}
