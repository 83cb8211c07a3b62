#include "helpcontents.h"

#include "shell/appstate.h"
#include "systemhelpviewer.h"

#include <QCoreApplication>
#include <QDir>

QString HelpFilePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("KestrunAds.HLP"));
}

void ShowHelpContents(AppState& app) {
    helpViewer(app.platform).ShowHelp(HelpFilePath(), HelpViewer::Contents);
}
