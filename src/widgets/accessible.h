#pragma once

// Tells assistive technology what the program's own controls are: a panel
// reads as its caption (a progress bar with its value when it is a gauge,
// a pane when it only holds other controls), a picture box as an image named
// by its accessible name. Installed once, by the first such control.
void ensureAccessibleControls();
