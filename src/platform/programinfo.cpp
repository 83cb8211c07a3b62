#include "programinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withoutTrailingSeparator(QString dir) {
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

} // namespace

QString ProgramInfo::joinArguments(const QStringList& argumentsAfterProgram) {
    return argumentsAfterProgram.join(QLatin1Char(' '));
}

ProgramInfo ProgramInfo::fromFolders(const QString& exeFolder, const QString& dataFolder,
                                     const QStringList& arguments) {
    ProgramInfo info;
    info.Title = QStringLiteral("KestrunAds");
    info.EXEName = QStringLiteral("KestrunAds");
    info.Path = withoutTrailingSeparator(exeFolder);
    info.CopyPath = info.Path;
    // Installed for all users, or run from a disc: the copy goes to the
    // user's own folder, while everything else is still read beside the
    // executable.
    if (!QFileInfo(info.Path).isWritable() && !dataFolder.isEmpty() && QDir().mkpath(dataFolder))
        info.CopyPath = withoutTrailingSeparator(dataFolder);
    info.Command = joinArguments(arguments.mid(1));
    return info;
}

ProgramInfo ProgramInfo::fromProcess(const QStringList& arguments) {
    return fromFolders(QCoreApplication::applicationDirPath(),
                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                       arguments);
}
