#include "popupmenu.h"

#include "adprint.h"
#include "shell/form1.h"
#include "widgets/picturebox.h"

#include <QCursor>
#include <QMenu>

static void PopupMenu(Form1& form) {
    form.mnuCopyPrint->exec(QCursor::pos());
}

void Image1_MouseUp(Form1& form, Qt::MouseButton button) {
    if (!form.PicSrc->hasPicture())
        return;
    if (button == Qt::RightButton)
        PopupMenu(form);
}

void picDest_MouseUp(Form1& form, Qt::MouseButton button) {
    if (button == Qt::RightButton)
        PopupMenu(form);
}

void mnuPrintCopy_Click(Form1& form, int index) {
    if (index == 1)
        PrintAd(form);
    else if (index == 2)
        CopyAdToClipboard(form);
}
