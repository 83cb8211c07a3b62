#include "scrolling.h"

#include "shell/form1.h"
#include "widgets/button3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

int ZoomWidth(const Form1& form) {
    return form.SSCommand1->x() + form.SSCommand1->width() - form.VScr->width();
}

void HScroll1_Change(Form1& form, int value) {
    form.picDest->move(-value, form.picDest->y());
    form.picDest->resize(ZoomWidth(form) + value, form.picDest->height());
}

void VScr_Change(Form1& form, int value) {
    form.picDest->move(form.picDest->x(), -value);
    form.picDest->resize(form.picDest->width(), form.VScr->height() + value);
}
