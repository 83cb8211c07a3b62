#pragma once

struct AppState;
class Form1;

// The main window's load step: single instance, the ads' location, window
// size and position, ZoomMode. False when the program ended on the way.
bool Form1_Load(AppState& app, Form1& form);
