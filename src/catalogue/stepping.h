#pragma once

class Form1;

// The previous and the next ad of the selected year, skipping numbers whose
// picture cannot be loaded and wrapping at both ends.
void StepBack(Form1& form);
void StepForward(Form1& form);
