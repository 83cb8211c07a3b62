#pragma once

class Form1;

// Connects each subsystem's handlers to the main window's controls and menus.
void ConnectSubsystems(Form1& form);
