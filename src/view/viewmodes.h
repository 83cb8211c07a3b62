#pragma once

class Form1;

// The three views of the ad: normal (stretched beside the year panel), zoomed
// in (natural size with scroll bars) and wide (stretched over the window).
void ZoomIn(Form1& form);
void ZoomOut(Form1& form);
void ZoomWide(Form1& form);

// The six events that switch views.
void cmdZoom_Click(Form1& form);
void cmdWide_Click(Form1& form);
void cmdZoomOut_Click(Form1& form);
void SSCommand5_Click(Form1& form);
void Image1_DblClick(Form1& form);
void picDest_DblClick(Form1& form);

// Reference sizes, from the controls' current places (pixels).
int ZoomHeight(const Form1& form);
int WideWidth(const Form1& form);
int WideHeight(const Form1& form);
int ParentPanelLeft(const Form1& form);
