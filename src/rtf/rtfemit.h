#pragma once

#include "rtfmodel.h"

class QTextDocument;

namespace rtf {

// Builds the document's content from the model; the document is cleared first.
void emitDocument(const DocumentModel& model, QTextDocument& doc);

} // namespace rtf
