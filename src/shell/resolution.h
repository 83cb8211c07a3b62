#pragma once

struct AppState;

// File ▸ "Check Screen Resolution Setting": the screen's size in pixels at 15
// twips per pixel and, off 800 × 600, how to change it. The text is built in
// MessageText.
void CheckScreenResolution(AppState& app);
