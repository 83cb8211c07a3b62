#include "shell_commands.h"

#include "documents/about.h"
#include "documents/helpcontents.h"
#include "documents/weblinks.h"
#include "resolution.h"
#include "shell/form1.h"
#include "taskbar_command.h"

#include <QAction>

void ConnectShellCommands(Form1& form) {
    AppState& app = form.app();
    auto* taskbar = new TaskbarCommand(app, form);
    QObject::connect(form.mnuHideStatus, &QAction::triggered, taskbar,
                     &TaskbarCommand::ToggleTaskbar);
    QObject::connect(&form, &Form1::resized, taskbar, &TaskbarCommand::Form_Resize);
    QObject::connect(form.mnuResolution, &QAction::triggered, &form,
                     [&app] { CheckScreenResolution(app); });
    QObject::connect(form.mnuContents, &QAction::triggered, &form,
                     [&app] { ShowHelpContents(app); });
    QObject::connect(form.mnuQuillonSoftware, &QAction::triggered, &form,
                     [&app] { VisitQuillonSoftware(app); });
    QObject::connect(form.mnuRegisterOL, &QAction::triggered, &form,
                     [&app] { RegisterOnline(app); });
    QObject::connect(form.mnuAbout, &QAction::triggered, &form,
                     [&app, &form] { ShowAbout(app, form); });
}
