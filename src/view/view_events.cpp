#include "view_events.h"

#include "shell/form1.h"

void ConnectViewEvents(Form1&) {}
