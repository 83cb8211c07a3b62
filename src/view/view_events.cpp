#include "view_events.h"

#include "platform/scrollbar.h"
#include "scrolling.h"
#include "shell/form1.h"

void ConnectViewEvents(Form1& form) {
    // While a thumb is dragged (Scroll) the picture stays; it follows on release.
    QObject::connect(form.HScroll1, &ScrollBar::Change, &form,
                     [&form](int v) { HScroll1_Change(form, v); });
    QObject::connect(form.VScr, &ScrollBar::Change, &form,
                     [&form](int v) { VScr_Change(form, v); });
}
