#pragma once

#include <QElapsedTimer>
#include <QObject>

struct AppState;
class Form1;

// The captions of the taskbar command; the caption is the command's only state.
inline const QString HideStatusCaption = QStringLiteral("HideStatusBar");
inline const QString ShowStatusCaption = QStringLiteral("ShowStatusBar");
// The same with the mark before their access key (S: H is Help's).
inline const QString HideStatusText = QStringLiteral("Hide&StatusBar");
inline const QString ShowStatusText = QStringLiteral("Show&StatusBar");

// The taskbar command of the main window and the resize rule that undoes it.
class TaskbarCommand : public QObject {
    Q_OBJECT
public:
    TaskbarCommand(AppState& app, Form1& form);

    // The command: hides the taskbar and spreads the window over the whole
    // screen, or shows the taskbar again.
    void ToggleTaskbar();
    // Any change of the window's size or state while the taskbar is hidden
    // shows it again.
    void Form_Resize();

    // How long after hiding the window's size changes count as the window
    // system's answer to the command rather than the user's.
    void setSettleTime(int ms) { m_settleMs = ms; }

private:
    bool answersOwnResize();

    AppState& m_app;
    Form1& m_form;
    // A window manager answers the command's own resize (and the restore from
    // maximised) with sizes that may arrive after the caption has changed.
    QElapsedTimer m_since;
    int m_settleMs = 500;
};
