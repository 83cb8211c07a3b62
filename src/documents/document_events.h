#pragma once

class Form1;

// Wires the main window's document commands, help, about box and web links.
void ConnectDocumentEvents(Form1& form);
