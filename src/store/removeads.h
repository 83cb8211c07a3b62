#pragma once

struct AppState;

// True when the program folder's ads are the medium's own (started with
// "HWI", or a drive that is the program folder): they are no copies, and
// removing them would remove the only source of the pictures.
bool ProgramFolderIsMedium(AppState& app);

// The remove command up to the unload of the main window: asks, deletes the
// program folder's ads\*.jpg and the emptied folder, points AdsRoot back at
// the medium and says how it went. True when the main window must now be
// unloaded (which ends the program); false when nothing was done.
bool RemoveAds(AppState& app);
