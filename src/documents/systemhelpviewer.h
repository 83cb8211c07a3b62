#pragma once

#include "platform/helpviewer.h"

#include <QPointer>

struct Platform;
class HelpWindow;

// The program's own help window: one for the run, raised again when open.
class SystemHelpViewer : public HelpViewer {
public:
    ~SystemHelpViewer() override;
    void ShowHelp(const QString& helpFile, int command) override;
    HelpWindow* window() const;

private:
    QPointer<HelpWindow> m_window;
};

// The platform's help viewer, the program's own when none was put in.
HelpViewer& helpViewer(Platform& platform);
