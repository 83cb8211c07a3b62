#pragma once

class Form1;

// The Change handlers: picDest slides up and left by the value and grows by
// the same amount, so its right and bottom edges stay at the view's edges.
void HScroll1_Change(Form1& form, int value);
void VScr_Change(Form1& form, int value);

// Width of the zoomed view, from the controls' current places (pixels).
int ZoomWidth(const Form1& form);
