#pragma once

#include "media/files.h"
#include "platform/platform.h"

#include <QString>
#include <functional>

class Form1;

// The navigation record shared by year selection, stepping and the views.
struct ViewerStateRecord {
    qint16 YearIndex = 0; // year button last selected, 0–35
    qint16 AdCount = 0;   // ads of the selected year: highest number found + 1
    qint16 AdNumber = 0;  // ad on view, 0–30
    QString YearPart;     // two-digit file-name part of the selected year
};

// The program's shared state, one per run; tests make a fresh one per case.
struct AppState {
    Platform platform;

    QString MediaRoot; // root of the distribution medium ("E:" or the program folder)
    QString AdsRoot;   // folder holding the "ads" folder that pictures are read from
    ViewerStateRecord ViewerState;
    QString ZoomMode; // "1": zoomed-in view chosen last, "0": wide view
    QString MediaErrorCode;
    QString MessageText;
    QString MessageReply;
    quintptr TaskbarHandle = 0;

    // Attaches the subsystems' handlers to a new main window. The program's
    // composition root sets it; a window made without it has only its own.
    std::function<void(Form1&)> connectSubsystems;
};

// The product title, used for message boxes.
inline const QString ProductTitle =
    QStringLiteral("Kestrun Ads: The Marketing of Ruzariz's Zephcar");
// The main window's caption.
inline const QString MainCaption =
    QStringLiteral("Kestrun Ads - The Marketing of Ruzariz's Zephcar v1.10");
inline const QString CRLF = QStringLiteral("\r\n");
