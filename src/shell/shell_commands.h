#pragma once

class Form1;

// Wires the main window's clock, taskbar command, resolution advice, about box, help and web links.
void ConnectShellCommands(Form1& form);
