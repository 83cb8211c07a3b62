#pragma once

#include <QString>

struct AppState;

// The help file, shipped beside the executable.
QString HelpFilePath();

// Help ▸ "Contents": the help file at its contents topic.
void ShowHelpContents(AppState& app);
