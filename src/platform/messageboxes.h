#pragma once

#include <QString>

// Every modal message of the program goes through here so that tests can
// answer it. Texts keep their CR LF line breaks exactly as built.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // An empty title means the platform's default title, the application title.
    virtual int show(const QString& text, int style, const QString& title) = 0;
};
