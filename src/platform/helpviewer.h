#pragma once

#include <QPointer>
#include <QString>

struct Platform;
class HelpWindow;

// The help viewer: shows a help file at one of its topics and returns at once.
class HelpViewer {
public:
    // The help command that asks for the file's contents topic.
    static constexpr int Contents = 3;

    virtual ~HelpViewer() = default;
    virtual void ShowHelp(const QString& helpFile, int command) = 0;
};

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
