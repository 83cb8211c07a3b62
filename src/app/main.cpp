#include "media/imageargument.h"
#include "platform/endsignals.h"
#include "platform/qtmessageboxes.h"
#include "shell/appstate.h"
#include "shell/programstart.h"
#include "wiring.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KestrunAds"));

    AppState app;
    app.connectSubsystems = ConnectSubsystems;
    Platform& p = app.platform;
    p.program = ProgramInfo::fromProcess(QCoreApplication::arguments());
    p.messages = std::make_shared<QtMessageBoxes>(p.program.Title);
    p.files = std::make_shared<Files>(std::make_shared<DriveMap>(DriveMap::fromSystem()));
    MapImageArguments(*p.files, QCoreApplication::arguments().mid(1));
    p.settings = std::make_shared<SettingsStore>();
    p.screen = std::make_shared<SystemScreen>();
    p.instanceLock = std::make_shared<InstanceLock>();
    p.taskbar = makeSystemTaskbar();
    p.endProcess = &Platform::endProcessNow;
    // Ended by a signal from outside, the taskbar comes back too.
    EndSignals endSignals(p);

    ProgramStart start(app);
    return qapp.exec();
}
