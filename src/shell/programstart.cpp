#include "programstart.h"

#include "appstate.h"
#include "form1.h"
#include "form1_load.h"
#include "form2.h"

ProgramStart::ProgramStart(AppState& app, QObject* parent) : QObject(parent), m_app(app) {
    m_splash = new Form2;
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    m_app.platform.pointer.set(MousePointer::Hourglass);
    m_splash->show();
    connect(m_splash, &Form2::finished, this, &ProgramStart::splashFinished);
}

ProgramStart::~ProgramStart() {
    delete m_splash;
    delete m_form;
}

void ProgramStart::splashFinished() {
    m_app.platform.pointer.set(MousePointer::Default);
    m_splash->close();
    m_form = new Form1(m_app);
    if (!Form1_Load(m_app, *m_form))
        return;
    m_form->show();
    emit mainWindowShown(m_form);
}
