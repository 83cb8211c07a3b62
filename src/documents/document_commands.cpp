#include "document_commands.h"

#include "richtextbox.h"
#include "shell/appstate.h"
#include "shell/mediaprompt.h"
#include "txtform.h"

#include <memory>

DocumentCommand AdsListDocument() {
    return {QStringLiteral("\\RichText\\KestrunAdsList.rtf"),
            QStringLiteral("Kestrun Advertising Checklist "), QStringLiteral("CA001"), false};
}

DocumentCommand NoticeDocument() {
    return {QStringLiteral("\\RichText\\notice.rtf"), QStringLiteral("Notice"),
            QStringLiteral("ca001"), true};
}

DocumentCommand RegistrationDocument() {
    return {QStringLiteral("\\RichText\\Register.rtf"),
            QStringLiteral("Quillon Software Registration Form"), QStringLiteral("CA002"), false};
}

void OpenDocument(AppState& app, QWidget* mainWindow, const DocumentCommand& command) {
    const QString path = app.MediaRoot + command.path;
    // The first touch of the viewer loads it: centred, OK widened.
    auto viewer = std::make_unique<txtForm>(app, mainWindow);
    if (!command.captionAfterLoad)
        viewer->setWindowTitle(command.caption);
    app.platform.pointer.set(MousePointer::Hourglass);
    const bool loaded = viewer->rtbText->LoadFile(*app.platform.files, path);
    app.platform.pointer.set(MousePointer::Default);
    if (!loaded) {
        viewer.reset(); // never shown empty
        app.MediaErrorCode = command.errorCode;
        // Whatever the answer, the document is not tried again.
        ShowMediaPrompt(app);
        return;
    }
    if (command.captionAfterLoad)
        viewer->setWindowTitle(command.caption);
    viewer->exec();
}

void ShowAdsList(AppState& app, QWidget* mainWindow) {
    OpenDocument(app, mainWindow, AdsListDocument());
}

void ShowNotice(AppState& app, QWidget* mainWindow) {
    OpenDocument(app, mainWindow, NoticeDocument());
}

void ShowRegistrationForm(AppState& app, QWidget* mainWindow) {
    OpenDocument(app, mainWindow, RegistrationDocument());
}
