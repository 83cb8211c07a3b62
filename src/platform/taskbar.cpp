#include "taskbar.h"

#include "taskbar_x11.h"

void Taskbar::ShowWindow(quintptr handle, int command) {
    if (handle == 0)
        return;
    if (command == Hide) {
        doHide(handle);
        m_hiddenHandle = handle;
    } else {
        doShow(handle);
        if (handle == m_hiddenHandle)
            m_hiddenHandle = 0;
    }
}

void Taskbar::restoreIfHidden() {
    if (m_hiddenHandle != 0)
        ShowWindow(m_hiddenHandle, ShowNormal);
}

std::shared_ptr<Taskbar> makeSystemTaskbar() {
    if (auto x11 = makeX11Taskbar())
        return x11;
    return std::make_shared<NoTaskbar>();
}
