#pragma once

class Form1;

// Wires the main window's view modes, scrolling and the pop-up menu.
void ConnectViewEvents(Form1& form);
