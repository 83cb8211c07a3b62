#pragma once

#include <QString>
#include <QStringList>

// What the program knows about itself: its folders, executable name, title
// and command line.
struct ProgramInfo {
    // The executable's folder, no trailing separator: where the "HWI" medium,
    // copied ads and the help file are read.
    QString Path;
    // The folder whose "ads" folder receives the hard-disk copy (and loses it
    // to Remove): Path when it can be written, else the user's own data folder.
    QString CopyPath;
    QString EXEName; // executable name without extension
    QString Title;   // application title, also the settings' application name
    QString Command; // the arguments after the program name, joined by blanks

    // From the running process.
    static ProgramInfo fromProcess(const QStringList& arguments);
    // The same for an executable in exeFolder, with dataFolder as the user's
    // data folder (made when it is needed).
    static ProgramInfo fromFolders(const QString& exeFolder, const QString& dataFolder,
                                   const QStringList& arguments);
    static QString joinArguments(const QStringList& argumentsAfterProgram);
    // A file shipped with the program (the help file): beside the executable
    // in exeFolder (the build folder, a program folder copied whole), else in
    // the share folder of an install (share/kestrun-ads beside bin/). Beside
    // the executable when neither holds it, so a message names that place.
    static QString shippedFile(const QString& exeFolder, const QString& name);
};
