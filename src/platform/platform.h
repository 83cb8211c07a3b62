#pragma once

#include "files.h"
#include "instancelock.h"
#include "messageboxes.h"
#include "mousepointer.h"
#include "programinfo.h"
#include "screeninfo.h"
#include "settingsstore.h"
#include "taskbar.h"

#include <functional>
#include <memory>

// The services that stand for the original platform. The real program fills
// them from the system; tests put in their own.
struct Platform {
    ProgramInfo program;
    std::shared_ptr<MessageBoxes> messages;
    std::shared_ptr<Files> files;
    std::shared_ptr<SettingsStore> settings;
    std::shared_ptr<ScreenInfo> screen;
    std::shared_ptr<InstanceLock> instanceLock;
    std::shared_ptr<Taskbar> taskbar;
    MousePointer pointer;
    // Ends the process at once; tests replace it and observe that it ran.
    std::function<void()> endProcess;

    int MsgBox(const QString& text, int style, const QString& title = QString()) {
        return messages->show(text, style, title);
    }

    // The program's "End": the taskbar comes back if we hid it, then the
    // process ends. Callers return right after it, in case a test's
    // endProcess returns.
    void terminate();

    static void endProcessNow();
};
