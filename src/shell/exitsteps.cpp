#include "exitsteps.h"

#include "appstate.h"
#include "form1.h"
#include "platform/vbnumber.h"
#include "startup.h"

void RunExitSteps(AppState& app, Form1& form) {
    app.platform.taskbar->ShowWindow(app.TaskbarHandle, Taskbar::ShowNormal);
    if (!form.isMinimized()) {
        const WindowTwips t = form.windowTwips();
        auto& s = *app.platform.settings;
        const QString title = app.platform.program.Title;
        const QString section = QStringLiteral("Settings");
        s.SaveSetting(title, section, QStringLiteral("MainLeft"), singleToText(float(t.left)));
        s.SaveSetting(title, section, QStringLiteral("MainTop"), singleToText(float(t.top)));
        s.SaveSetting(title, section, QStringLiteral("MainWidth"), singleToText(float(t.width)));
        s.SaveSetting(title, section, QStringLiteral("MainHeight"), singleToText(float(t.height)));
    }
    app.platform.terminate();
}
