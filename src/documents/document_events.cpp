#include "document_events.h"

#include "document_commands.h"
#include "shell/form1.h"

#include <QAction>

void ConnectDocumentEvents(Form1& form) {
    Form1* f = &form;
    QObject::connect(form.mnuList, &QAction::triggered, f, [f] { ShowAdsList(f->app(), f); });
    QObject::connect(form.mnuNotice, &QAction::triggered, f, [f] { ShowNotice(f->app(), f); });
    QObject::connect(form.mnuRegister, &QAction::triggered, f,
                     [f] { ShowRegistrationForm(f->app(), f); });
}
