#pragma once

struct AppState;
class txtForm;

// The viewer's print button: asks whether to print the document named by the
// viewer's caption and, on Yes, prints it with one-inch margins and reports
// how the job ended.
void PrintViewerDocument(AppState& app, txtForm& viewer);
