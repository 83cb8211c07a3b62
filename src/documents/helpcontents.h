#pragma once

#include <QString>

struct AppState;

// The help file: beside the executable in the build folder, in the share
// folder when installed.
QString HelpFilePath();

// Help ▸ "Contents": the help file at its contents topic.
void ShowHelpContents(AppState& app);
