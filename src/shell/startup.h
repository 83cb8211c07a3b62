#pragma once

struct AppState;

// The main window's load step, apart from the window itself.

// Refuses a second running copy: the message, then the end. False when ended.
bool CheckSingleInstance(AppState& app);

// The "HWI" switch, or the search for the ads: copies in the program folder
// (or else in the folder copies go to), the medium on the drives D: to Z:,
// with the missing-media prompt until one is found. Sets MediaRoot and
// AdsRoot. False when the user cancelled (the program ended).
bool LocateAds(AppState& app);

// True when the screen measures width × height pixels at 15 twips per pixel.
bool IsScreenSize(const AppState& app, int width, int height);

// Window measures in twips, as the settings store keeps them.
struct WindowTwips {
    double left = 0, top = 0, width = 0, height = 0;
};

// The measures of the controls the size rule reads, in pixels.
struct SizingControls {
    int image1Left = 328, image1Width = 443;
    int text1Top = 528, text1Height = 25;
};

struct WindowPlacement {
    WindowTwips rect;
    bool hideStatusMenu = false; // the taskbar command is offered only on 800 × 600
};

// Size and position of the main window from the screen and the saved
// settings. A value that cannot be read keeps the current measure; a window
// that would lie wholly outside every screen goes to 0, 0.
WindowPlacement PlaceMainWindow(AppState& app, const WindowTwips& current,
                                const SizingControls& controls);
