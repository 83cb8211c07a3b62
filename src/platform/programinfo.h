#pragma once

#include <QString>
#include <QStringList>

// What the program knows about itself: its folder, executable name, title and
// command line.
struct ProgramInfo {
    QString Path;    // program folder, no trailing separator
    QString EXEName; // executable name without extension
    QString Title;   // application title, also the settings' application name
    QString Command; // the arguments after the program name, joined by blanks

    // From the running process; the folder falls back to the per-user data
    // folder when the executable's folder cannot be written.
    static ProgramInfo fromProcess(const QStringList& arguments);
    static QString joinArguments(const QStringList& argumentsAfterProgram);
};
