#pragma once

class Form1;

// Prints the ad picture after asking, at its own size at the top-left of the
// printable area, one page per job.
void PrintAd(Form1& form);
// The printer's set-up dialog on the printer kept for the run.
void PrintSetup(Form1& form);
// Empties the clipboard and puts the ad picture on it.
void CopyAdToClipboard(Form1& form);
