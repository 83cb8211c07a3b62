#pragma once

class Form1;

// Wires the main window's year buttons, stepping keys and the spin button.
void ConnectCatalogueEvents(Form1& form);
