#include "taskbar_command.h"

#include "appstate.h"
#include "form1.h"
#include "menukeys.h"
#include "startup.h"

#include <QAction>

TaskbarCommand::TaskbarCommand(AppState& app, Form1& form)
    : QObject(&form), m_app(app), m_form(form) {
    setObjectName(QStringLiteral("TaskbarCommand"));
}

void TaskbarCommand::ToggleTaskbar() {
    Taskbar& taskbar = *m_app.platform.taskbar;
    m_app.TaskbarHandle = taskbar.FindWindow();
    if (shownCaption(m_form.mnuHideStatus) == HideStatusCaption) {
        taskbar.ShowWindow(m_app.TaskbarHandle, Taskbar::Hide);
        m_since.start();
        m_form.showNormal();
        // The outer window, frame included, covers the whole screen.
        WindowTwips t;
        t.width = m_app.platform.screen->widthTwips();
        t.height = m_app.platform.screen->heightTwips();
        m_form.setWindowTwips(t);
        m_form.mnuHideStatus->setText(ShowStatusText);
    } else {
        taskbar.ShowWindow(m_app.TaskbarHandle, Taskbar::ShowNormal);
        m_since.invalidate();
        m_form.mnuHideStatus->setText(HideStatusText);
    }
}

bool TaskbarCommand::answersOwnResize() {
    if (!m_since.isValid())
        return false;
    // Minimising or maximising is always the user's.
    const bool normal = !(m_form.windowState() &
                          (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (normal && m_since.elapsed() < m_settleMs)
        return true;
    m_since.invalidate();
    return false;
}

void TaskbarCommand::Form_Resize() {
    if (shownCaption(m_form.mnuHideStatus) == HideStatusCaption || answersOwnResize())
        return;
    m_app.platform.taskbar->ShowWindow(m_app.TaskbarHandle, Taskbar::ShowNormal);
    m_form.mnuHideStatus->setText(HideStatusText);
}
