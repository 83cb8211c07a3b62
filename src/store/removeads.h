#pragma once

struct AppState;

// True when the ads of the folder that receives copies are the medium's own
// (started with "HWI" from a writable folder, or a drive that is that
// folder): they are no copies, and removing them would remove the only
// source of the pictures.
bool ProgramFolderIsMedium(AppState& app);

// The remove command up to the unload of the main window: asks, deletes the
// ads\*.jpg that the copy wrote (under CopyPath) and the emptied folder, points AdsRoot back at
// the medium and says how it went. True when the main window must now be
// unloaded (which ends the program); false when nothing was done.
bool RemoveAds(AppState& app);
