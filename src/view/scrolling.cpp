#include "scrolling.h"

#include "platform/button3d.h"
#include "platform/picturebox.h"
#include "platform/scrollbar.h"
#include "shell/form1.h"

int ZoomWidth(const Form1& form) {
    return form.SSCommand1->x() + form.SSCommand1->width() - form.VScr->width();
}

void SetScrollRanges(Form1& form) {
    // PicSrc takes the size of its picture: the size of the ad on view.
    const QSize picture = form.PicSrc->size();
    form.VScr->setMax(picture.height() - form.VScr->height());
    form.HScroll1->setMax(picture.width() - (form.HScroll1->x() + form.HScroll1->width()));
}

void HScroll1_Change(Form1& form, int value) {
    form.picDest->move(-value, form.picDest->y());
    form.picDest->resize(ZoomWidth(form) + value, form.picDest->height());
}

void VScr_Change(Form1& form, int value) {
    form.picDest->move(form.picDest->x(), -value);
    form.picDest->resize(form.picDest->width(), form.VScr->height() + value);
}
