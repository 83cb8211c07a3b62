#pragma once

class Form1;

// Wires the main window's copy panel and the copy and remove commands.
void ConnectStoreEvents(Form1& form);
