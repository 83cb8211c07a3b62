#include "document_events.h"

#include "about.h"
#include "document_commands.h"
#include "helpcontents.h"
#include "shell/form1.h"
#include "weblinks.h"

#include <QAction>

void ConnectDocumentEvents(Form1& form) {
    Form1* f = &form;
    QObject::connect(form.mnuList, &QAction::triggered, f, [f] { ShowAdsList(f->app(), f); });
    QObject::connect(form.mnuNotice, &QAction::triggered, f, [f] { ShowNotice(f->app(), f); });
    QObject::connect(form.mnuRegister, &QAction::triggered, f,
                     [f] { ShowRegistrationForm(f->app(), f); });
    AppState& app = form.app();
    QObject::connect(form.mnuContents, &QAction::triggered, f, [&app] { ShowHelpContents(app); });
    QObject::connect(form.mnuQuillonSoftware, &QAction::triggered, f,
                     [&app] { VisitQuillonSoftware(app); });
    QObject::connect(form.mnuRegisterOL, &QAction::triggered, f, [&app] { RegisterOnline(app); });
    QObject::connect(form.mnuAbout, &QAction::triggered, f, [&app, f] { ShowAbout(app, *f); });
}
