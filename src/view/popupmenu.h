#pragma once

#include <Qt>

class Form1;

// A right-button release on the picture opens the ad's pop-up menu at the
// mouse; on Image1 only once a picture is loaded.
void Image1_MouseUp(Form1& form, Qt::MouseButton button);
void picDest_MouseUp(Form1& form, Qt::MouseButton button);

// The pop-up's items: 1 prints the ad, 2 copies it to the clipboard.
void mnuPrintCopy_Click(Form1& form, int index);
