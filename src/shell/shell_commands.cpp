#include "shell_commands.h"

#include "form1.h"
#include "resolution.h"
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
}
