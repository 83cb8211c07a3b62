#pragma once

#include <QString>

struct AppState;
class QWidget;

// One document of the medium and how its command shows it.
struct DocumentCommand {
    QString path;      // appended to MediaRoot
    QString caption;   // the viewer's caption
    QString errorCode; // the missing-media prompt's code when it cannot be read
    bool captionAfterLoad = false;
};

DocumentCommand AdsListDocument();
DocumentCommand NoticeDocument();
DocumentCommand RegistrationDocument();

// Loads the document from the medium into a fresh viewer and shows it
// modally; the command returns when the viewer is closed. A document that
// cannot be read shows the missing-media prompt with the command's code
// instead, and no viewer.
void OpenDocument(AppState& app, QWidget* mainWindow, const DocumentCommand& command);

// The three menu commands.
void ShowAdsList(AppState& app, QWidget* mainWindow);
void ShowNotice(AppState& app, QWidget* mainWindow);
void ShowRegistrationForm(AppState& app, QWidget* mainWindow);
