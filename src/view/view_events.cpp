#include "view_events.h"

#include "adprint.h"
#include "picturemotion.h"
#include "popupmenu.h"
#include "scrolling.h"
#include "shell/form1.h"
#include "viewmodes.h"
#include "widgets/button3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

#include <QAction>

void ConnectViewEvents(Form1& form) {
    Form1* f = &form;
    // While a thumb is dragged (Scroll) the picture stays; it follows on release.
    QObject::connect(form.HScroll1, &ScrollBar::Change, f, [f](int v) { HScroll1_Change(*f, v); });
    QObject::connect(form.VScr, &ScrollBar::Change, f, [f](int v) { VScr_Change(*f, v); });

    ConnectPictureMotion(form);

    QObject::connect(form.cmdZoom, &QPushButton::clicked, f, [f] { cmdZoom_Click(*f); });
    QObject::connect(form.cmdWide, &QPushButton::clicked, f, [f] { cmdWide_Click(*f); });
    QObject::connect(form.cmdZoomOut, &QPushButton::clicked, f, [f] { cmdZoomOut_Click(*f); });
    QObject::connect(form.SSCommand5, &QPushButton::clicked, f, [f] { SSCommand5_Click(*f); });
    QObject::connect(form.Image1, &StretchImage::doubleClicked, f, [f] { Image1_DblClick(*f); });
    QObject::connect(form.picDest, &PictureBox::doubleClicked, f, [f] { picDest_DblClick(*f); });

    QObject::connect(form.Image1, &StretchImage::mouseUp, f,
                     [f](Qt::MouseButton b) { Image1_MouseUp(*f, b); });
    QObject::connect(form.picDest, &PictureBox::mouseUp, f,
                     [f](Qt::MouseButton b) { picDest_MouseUp(*f, b); });
    for (int index : {1, 2})
        QObject::connect(form.mnuPrintCopy[index], &QAction::triggered, f,
                         [f, index] { mnuPrintCopy_Click(*f, index); });

    QObject::connect(form.mnuPrint, &QAction::triggered, f, [f] { PrintAd(*f); });
    QObject::connect(form.mnuSetup, &QAction::triggered, f, [f] { PrintSetup(*f); });
    QObject::connect(form.mnuClip, &QAction::triggered, f, [f] { CopyAdToClipboard(*f); });
}
