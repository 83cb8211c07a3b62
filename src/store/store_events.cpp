#include "store_events.h"

#include "copypanel.h"
#include "freespace.h"
#include "removeads.h"
#include "shell/appstate.h"
#include "shell/form1.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"

#include <QAction>

namespace {

void mnuCopy_Click(Form1& form) {
    if (CheckDiskSpace(form.app()))
        ShowCopyPanel(form);
}

void cmdCopy_Click(Form1& form) {
    RunCopyCommand(form.app(), form.copyPanel->run, *form.copyPanel);
}

void mnuRemove_Click(Form1& form) {
    // Unloading the window runs the exit steps, which end the program.
    if (RemoveAds(form.app()))
        form.close();
}

} // namespace

void ConnectStoreEvents(Form1& form) {
    form.copyPanel = new CopyPanel(form);
    QObject::connect(form.mnuCopy, &QAction::triggered, &form, [&form] { mnuCopy_Click(form); });
    QObject::connect(form.copyPanel->cmdCopy, &QPushButton::clicked, &form,
                     [&form] { cmdCopy_Click(form); });
    QObject::connect(form.copyPanel->cmdCancel, &QPushButton::clicked, form.pnlProgress,
                     &QWidget::hide);
    QObject::connect(form.mnuRemove, &QAction::triggered, &form,
                     [&form] { mnuRemove_Click(form); });
}
