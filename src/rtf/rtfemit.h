#pragma once

#include "rtfmodel.h"

class QTextDocument;

namespace rtf {

// What an empty paragraph beside a table holds so that it keeps its line (a
// zero-width space); a line of it alone reads as empty.
inline constexpr char16_t KeepLine = u'\u200B';

// Builds the document's content from the model; the document is cleared first.
void emitDocument(const DocumentModel& model, QTextDocument& doc);

} // namespace rtf
