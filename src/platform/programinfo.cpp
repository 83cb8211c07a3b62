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

QString ProgramInfo::shippedFile(const QString& exeFolder, const QString& name) {
    const QDir exe(exeFolder);
    const QString beside = exe.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed =
        QDir::cleanPath(exe.filePath(QStringLiteral(KESTRUN_SHARE_FROM_BIN "/") + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

ProgramInfo ProgramInfo::fromProcess(const QStringList& arguments) {
    return fromFolders(QCoreApplication::applicationDirPath(),
                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                       arguments);
}
