#include "selectyear.h"

#include "catalogue.h"
#include "shell/appstate.h"
#include "shell/form1.h"
#include "shell/mediaprompt.h"
#include "shell/scrollranges.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/spinbutton.h"

#include <QLineEdit>

namespace {

// Lays out and shows the spin button, the counter and the year beside it.
void showSteppingRow(Form1& form, const QString& caption) {
    AppState& app = form.app();
    form.SpinButton1->move(form.Image1->x() + 3, form.SpinButton1->y());
    form.Text1->move(form.SpinButton1->x() + form.SpinButton1->width() + 1, form.Text1->y());
    form.SpinButton1->show();
    form.Text1->setText(QStringLiteral("1 of ") + QString::number(app.ViewerState.AdCount));
    form.Text1->show();
    form.Text1->raise();
    form.panText3->move(form.Text1->x() + form.Text1->width() + 2, form.Text1->y());
    form.panText3->show();
    form.panText3->setCaption(caption + QLatin1Char(' '));
}

void finish(Form1& form) {
    form.app().platform.pointer.set(MousePointer::Default);
    form.setEnabled(true);
    FocusNextYear(form);
}

} // namespace

void SelectYear(Form1& form, int i) {
    AppState& app = form.app();
    app.ViewerState.YearIndex = qint16(i);
    const QString caption = form.cmdYear[i]->text();
    app.platform.pointer.set(MousePointer::Hourglass);
    form.Image1->setEnabled(true);
    form.cmdZoom->setEnabled(true);
    form.cmdWide->setEnabled(true);
    form.SpinButton1->hide();
    form.Text1->hide();
    app.ViewerState.AdNumber = 0;
    form.panParent->setCaption(QLatin1Char(' ') + caption + QStringLiteral(" Kestrun Ad"));
    app.ViewerState.YearPart = caption.mid(2, 2);
    app.MediaErrorCode = QStringLiteral("CA002");
    form.setEnabled(false);

    if (!LoadAdPicture(form, 0)) {
        // The prompt must be answerable: the window stays disabled behind it.
        if (!ShowMediaPrompt(app))
            return;
        finish(form);
        return;
    }

    app.ViewerState.AdCount = qint16(CountAds(app));
    showSteppingRow(form, caption);
    form.picDest->setPicture(form.PicSrc->picture());
    SetScrollRanges(form);
    finish(form);
    PrepareNeighbours(form);
}
