#pragma once

#include "instancelock.h"
#include "messageboxes.h"
#include "mousepointer.h"
#include "programinfo.h"
#include "screeninfo.h"
#include "settingsstore.h"
#include "taskbar.h"

#include <functional>
#include <memory>

class Files;
class PrinterService;
class ClipboardService;
class ShellLinks;
class HelpViewer;
class DiskSpace;

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
    // Services of the windowed part; each subsystem makes the system's own
    // when none was put in (tests put in theirs).
    std::shared_ptr<PrinterService> printer;
    std::shared_ptr<ClipboardService> clipboard;
    std::shared_ptr<ShellLinks> shellLinks;
    std::shared_ptr<HelpViewer> helpViewer;
    std::shared_ptr<DiskSpace> diskSpace;
    // Ends the process at once; tests replace it and observe that it ran.
    // The argument is the signal that ended the program from outside, or 0.
    std::function<void(int signal)> endProcess;

    int MsgBox(const QString& text, int style, const QString& title = QString()) {
        return messages->show(text, style, title);
    }

    // The program's "End": the taskbar comes back if we hid it, then the
    // process ends. Callers return right after it, in case a test's
    // endProcess returns. Ended by a signal from outside, the process ends
    // by that signal, so that whoever sent it sees how it ended.
    void terminate(int signal = 0);

    static void endProcessNow(int signal);
};
