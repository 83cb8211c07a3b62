#pragma once

struct AppState;
class QString;

// The missing-media prompt: builds the message from MediaErrorCode, asks
// Retry or Cancel, records the answer in MessageReply. Cancel ends the
// program. Returns true for Retry; false only when the end returned (tests).
bool ShowMediaPrompt(AppState& app);

// The text the prompt shows for an error code.
QString MediaPromptText(const QString& code);
