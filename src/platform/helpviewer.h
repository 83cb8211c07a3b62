#pragma once

#include <QString>

// The help viewer: shows a help file at one of its topics and returns at once.
class HelpViewer {
public:
    // The help command that asks for the file's contents topic.
    static constexpr int Contents = 3;

    virtual ~HelpViewer() = default;
    virtual void ShowHelp(const QString& helpFile, int command) = 0;
};
