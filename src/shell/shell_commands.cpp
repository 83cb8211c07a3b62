#include "shell_commands.h"

#include "shell/form1.h"

void ConnectShellCommands(Form1&) {}
