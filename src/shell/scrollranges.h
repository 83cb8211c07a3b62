#pragma once

class Form1;

// Fits both scroll maxima to the picture in PicSrc: the vertical one against
// the height of VScr, the horizontal one against the right edge of HScroll1.
// Every load of a picture and every change of view does it.
void SetScrollRanges(Form1& form);
