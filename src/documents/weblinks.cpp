#include "weblinks.h"

#include "appstate.h"
#include "platform/shelllinks.h"

void OpenWebPage(AppState& app, const QString& address) {
    app.platform.taskbar->ShowWindow(app.TaskbarHandle, Taskbar::ShowNormal);
    shellLinks(app.platform).ShellExecute(address);
}

void VisitQuillonSoftware(AppState& app) {
    OpenWebPage(app, QuillonHomePage);
}

void RegisterOnline(AppState& app) {
    OpenWebPage(app, QuillonRegisterPage);
}
