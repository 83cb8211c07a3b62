#pragma once

struct AppState;
class Form1;

// Unloading the main window: the taskbar shown again, the geometry saved in
// twips unless the window is minimised, then the end of the program.
void RunExitSteps(AppState& app, Form1& form);
