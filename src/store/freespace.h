#pragma once

#include <QString>

struct AppState;

// A number as the pattern "###,###,###" shows it: thousands grouped with
// commas, no leading zeros, zero as empty text.
QString FormatThousands(qint64 value);
// The message shown when the program folder's volume has too little room.
QString NotEnoughSpaceText(qint64 freeBytes);
// Free bytes of the volume that receives the copy (CopyPath). When
// it cannot be measured: "Internal GetDisk error!", then 0.
qint64 GetDiskSpace(AppState& app);
// The free-space test of the copy command. False when there is too little
// room; the user has then been told.
bool CheckDiskSpace(AppState& app);
