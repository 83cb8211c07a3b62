#pragma once

#include <QImage>

struct Platform;

// The system clipboard: emptied, then given one picture.
class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    // False when the clipboard cannot be reached.
    virtual bool clear();
    virtual bool setImage(const QImage& image);
};

// The platform's clipboard, made from the system when none was put in.
ClipboardService& clipboardOf(Platform& platform);
