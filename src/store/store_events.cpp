#include "store_events.h"

#include "shell/form1.h"

void ConnectStoreEvents(Form1&) {}
