#include "catalogue_events.h"

#include "shell/form1.h"

void ConnectCatalogueEvents(Form1&) {}
