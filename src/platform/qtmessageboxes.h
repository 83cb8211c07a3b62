#pragma once

#include "messageboxes.h"

// Message boxes on the screen: the buttons and icon of the style code, CR LF
// shown as line breaks, Escape or the close box answering Cancel (or No).
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QString defaultTitle) : m_defaultTitle(std::move(defaultTitle)) {}
    int show(const QString& text, int style, const QString& title) override;

private:
    QString m_defaultTitle;
};
