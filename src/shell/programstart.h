#pragma once

#include "form1.h"
#include "form2.h"

#include <QObject>
#include <QPointer>

struct AppState;

// The program's start: the splash with the hourglass, and after its first
// tick the main window with its load step.
class ProgramStart : public QObject {
    Q_OBJECT
public:
    explicit ProgramStart(AppState& app, QObject* parent = nullptr);
    ~ProgramStart() override;

    Form2* splash() const { return m_splash; }
    Form1* mainWindow() const { return m_form; }

signals:
    // The main window is shown (its load step completed).
    void mainWindowShown(Form1* form);

private:
    void splashFinished();

    AppState& m_app;
    QPointer<Form2> m_splash;
    QPointer<Form1> m_form;
};
