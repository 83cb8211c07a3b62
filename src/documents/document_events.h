#pragma once

class Form1;

// Wires the main window's document, print and clipboard commands.
void ConnectDocumentEvents(Form1& form);
