#include "scrollranges.h"

#include "form1.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

void SetScrollRanges(Form1& form) {
    // PicSrc takes the size of its picture: the size of the ad on view.
    const QSize picture = form.PicSrc->size();
    form.VScr->setMax(picture.height() - form.VScr->height());
    form.HScroll1->setMax(picture.width() - (form.HScroll1->x() + form.HScroll1->width()));
}
