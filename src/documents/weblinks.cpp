#include "weblinks.h"

#include "platform/shelllinks.h"
#include "shell/appstate.h"

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
