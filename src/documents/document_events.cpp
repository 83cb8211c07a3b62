#include "document_events.h"

#include "shell/form1.h"

void ConnectDocumentEvents(Form1&) {}
