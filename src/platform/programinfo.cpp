#include "programinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ProgramInfo::joinArguments(const QStringList& argumentsAfterProgram) {
    return argumentsAfterProgram.join(QLatin1Char(' '));
}

ProgramInfo ProgramInfo::fromProcess(const QStringList& arguments) {
    ProgramInfo info;
    info.Title = QStringLiteral("KestrunAds");
    info.EXEName = QStringLiteral("KestrunAds");
    QString dir = QCoreApplication::applicationDirPath();
    if (!QFileInfo(dir).isWritable()) {
        // A system-wide install: the user's own data folder receives the copies.
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (!data.isEmpty() && QDir().mkpath(data))
            dir = data;
    }
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    info.Path = dir;
    info.Command = joinArguments(arguments.mid(1));
    return info;
}
