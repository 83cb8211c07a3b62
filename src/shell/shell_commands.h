#pragma once

class Form1;

// Wires the main window's taskbar command and resolution advice.
void ConnectShellCommands(Form1& form);
