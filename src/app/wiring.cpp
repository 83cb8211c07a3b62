#include "wiring.h"

#include "catalogue/catalogue_events.h"
#include "documents/document_events.h"
#include "store/store_events.h"
#include "view/view_events.h"

void ConnectSubsystems(Form1& form) {
    ConnectCatalogueEvents(form);
    ConnectViewEvents(form);
    ConnectStoreEvents(form);
    ConnectDocumentEvents(form);
}
