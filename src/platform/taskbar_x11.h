#pragma once

#include "taskbar.h"

#include <memory>

// The dock windows (panels and taskbars) of an X11 desktop, reached over the
// running application's own display connection: hiding unmaps them all,
// showing maps them again. Null when the application does not run on X11 or
// was built without xcb.
std::shared_ptr<Taskbar> makeX11Taskbar();
