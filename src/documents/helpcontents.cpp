#include "helpcontents.h"

#include "appstate.h"
#include "platform/helpviewer.h"

#include <QCoreApplication>
#include <QDir>

QString HelpFilePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("KestrunAds.HLP"));
}

void ShowHelpContents(AppState& app) {
    helpViewer(app.platform).ShowHelp(HelpFilePath(), HelpViewer::Contents);
}
