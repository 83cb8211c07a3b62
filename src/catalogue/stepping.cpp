#include "stepping.h"

#include "catalogue.h"
#include "shell/appstate.h"
#include "shell/form1.h"
#include "shell/scrollranges.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

#include <QLineEdit>

namespace {

constexpr int HighestAd = 30;

// Tries candidates from `from` to `to` (inclusive, in the given direction);
// AdNumber follows the candidate. Ad 00 is accepted even when its picture does
// not load, so that the counter always has an ad to name.
bool search(Form1& form, int from, int to, int direction) {
    AppState& app = form.app();
    for (int n = from; direction < 0 ? n >= to : n <= to; n += direction) {
        app.ViewerState.AdNumber = qint16(n);
        if (LoadAdPicture(form, n) || n == 0) {
            form.Text1->setText(QString::number(n + 1) + QStringLiteral(" of ") +
                                QString::number(app.ViewerState.AdCount));
            return true;
        }
    }
    // As a counting loop leaves its counter: one step past the last candidate.
    app.ViewerState.AdNumber = qint16(to + direction);
    return false;
}

void showAccepted(Form1& form) {
    form.picDest->setPicture(form.PicSrc->picture());
    SetScrollRanges(form);
    form.VScr->setValue(0);
    form.HScroll1->setValue(0);
    form.app().platform.pointer.set(MousePointer::Default);
    FocusNextYear(form);
    PrepareNeighbours(form);
}

} // namespace

void StepBack(Form1& form) {
    AppState& app = form.app();
    if (app.ViewerState.AdCount == 1) {
        FocusNextYear(form);
        return;
    }
    app.platform.pointer.set(MousePointer::Hourglass);
    const int current = app.ViewerState.AdNumber;
    int start = 0, stepMark = 0;
    if (current >= 1 && current <= HighestAd - 1) {
        start = current - 1;
        stepMark = 0;
    } else if (current <= 0) {
        start = HighestAd; // the wrap from the first ad reaches ad 30 as well
        stepMark = 1;
    } else {
        start = HighestAd - 1;
        stepMark = 1;
    }
    if (search(form, start, stepMark, -1)) {
        showAccepted(form);
        return;
    }
    app.platform.pointer.set(MousePointer::Default);
}

void StepForward(Form1& form) {
    AppState& app = form.app();
    if (app.ViewerState.AdCount == 1) {
        FocusNextYear(form);
        return;
    }
    app.platform.pointer.set(MousePointer::Hourglass);
    const int current = qMax<int>(0, app.ViewerState.AdNumber);
    if (current < HighestAd) {
        const int stepMark = current;
        if (search(form, current + 1, HighestAd, +1)) {
            showAccepted(form);
            return;
        }
        if (stepMark == 0) {
            app.platform.pointer.set(MousePointer::Default);
            return;
        }
    }
    // From the last ad, or past it: round to the first ad, which is always accepted.
    search(form, 0, HighestAd, +1);
    showAccepted(form);
}
