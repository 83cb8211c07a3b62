#include "helpcontents.h"

#include "platform/programinfo.h"
#include "shell/appstate.h"
#include "systemhelpviewer.h"

#include <QCoreApplication>

QString HelpFilePath() {
    return ProgramInfo::shippedFile(QCoreApplication::applicationDirPath(),
                                    QStringLiteral("KestrunAds.HLP"));
}

void ShowHelpContents(AppState& app) {
    helpViewer(app.platform).ShowHelp(HelpFilePath(), HelpViewer::Contents);
}
