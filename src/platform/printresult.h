#pragma once

#include <QString>

struct Platform;

// How a print job ended.
struct PrintResult {
    enum Outcome {
        Printed,   // the print system took the job
        NoPrinter, // no printer to send it to
        Failed,    // the printer or the print system refused or failed the job
        Cancelled, // the job was cancelled
    };
    Outcome outcome = Printed;
    QString reason; // for Failed: what went wrong, one sentence
    int pages = 0;  // pages sent

    bool printed() const { return outcome == Printed; }
    static PrintResult failed(const QString& reason);
    static PrintResult noPrinter();
    static PrintResult cancelled();
};

// Tells the user how a print job ended: doneText when the print system took
// the job, otherwise the one message every print command gives for that
// ending. An OK box with the exclamation icon under the given title.
void TellPrintResult(Platform& platform, const PrintResult& result, const QString& doneText,
                     const QString& title);
