#pragma once

#include <QString>

struct AppState;

// The maker's two web pages: the home page is a bare host name.
inline const QString QuillonHomePage = QStringLiteral("www.quillon-software.example");
inline const QString QuillonRegisterPage = QuillonHomePage + QStringLiteral("/register.htm");

// Shows a taskbar that the taskbar command hid (its menu caption stays as it
// is), then opens the address in the default browser without waiting.
void OpenWebPage(AppState& app, const QString& address);

// Help ▸ "Visit the Quillon Software Website".
void VisitQuillonSoftware(AppState& app);
// Help ▸ "Register On-line".
void RegisterOnline(AppState& app);
