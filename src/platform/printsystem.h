#pragma once

#include <QString>

// What the print system (CUPS) says of a queue and of the job handed to it.
// Qt's print plugin hands the finished job over with libcups and drops the
// answer, so the answer is read from libcups here: the same library, whose
// last status is kept per thread.
namespace PrintSystem {

// Why the queue would not print a job now, one sentence; empty when it would.
// A queue that is stopped keeps jobs without printing them, and one that
// rejects jobs refuses them: both count as refusing.
QString refusal(const QString& printerName);

// Why the print system refused the last job this thread handed to it, one
// sentence; empty when it took the job.
QString lastJobRefusal();

} // namespace PrintSystem
