#pragma once

#include <QChar>
#include <QList>
#include <QStringList>

class Files;

// Puts every command-line argument that names an existing CD image file
// ("KestrunAds ~/ads.iso") at the first drive letter that has no volume, so
// that the search for the medium finds the disc there. "HWI" alone is the
// switch and names nothing; an image the drive map already holds is not put
// in twice. Returns the letters given out, in the order of the arguments.
QList<QChar> MapImageArguments(Files& files, const QStringList& argumentsAfterProgram);
