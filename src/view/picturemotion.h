#pragma once

class Form1;

// The zoomed-in picture moves under the wheel (vertically; Shift or a
// horizontal wheel across) and under a drag with the left button, through its
// scroll bars, so their change events run as for any other move.
void ConnectPictureMotion(Form1& form);
