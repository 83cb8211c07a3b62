#pragma once

#include <QObject>

class QSocketNotifier;
struct Platform;

// The signals that end the program from outside: SIGTERM (kill, the end of a
// login session), SIGINT (Ctrl+C) and SIGHUP (the terminal or the session
// went away). Each ends the program as "End" does, taskbar shown again, but
// from the event loop: the handler itself only writes the signal's number
// into a socket, all it may safely do. A signal that was ignored when the
// program started (nohup) stays ignored. One at a time per process.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(Platform& platform, QObject* parent = nullptr);
    ~EndSignals() override;

private:
    void readSignal();

    Platform& m_platform;
    QSocketNotifier* m_notifier = nullptr;
};
