#include "viewmodes.h"

#include "catalogue/catalogue.h"
#include "scrolling.h"
#include "shell/appstate.h"
#include "shell/form1.h"
#include "shell/scrollranges.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

#include <QCoreApplication>
#include <QLineEdit>

int ZoomHeight(const Form1& form) {
    return form.PnlCoStar->y() - 36;
}

int WideWidth(const Form1& form) {
    return form.SSCommand1->x() + form.SSCommand1->width();
}

int WideHeight(const Form1& form) {
    return form.cmdZoomOut->y() - 20;
}

int ParentPanelLeft(const Form1& form) {
    return form.Text1->x() + form.Text1->width() + 2;
}

static void setStatusPanelsVisible(Form1& form, bool visible) {
    form.StatusDay->setVisible(visible);
    form.StatusDate->setVisible(visible);
    form.StatusTime->setVisible(visible);
}

void ZoomIn(Form1& form) {
    form.cmdZoom->setEnabled(false);
    form.picDest->raise();
    form.VScr->setValue(0);
    form.VScr->resize(form.VScr->width(), ZoomHeight(form));
    form.VScr->raise();
    form.panParent->move(ParentPanelLeft(form), form.panParent->y());
    form.panParent->show();
    form.Image1->hide();
    form.panText3->hide();
    form.cmdZoomOut->show();
    form.SSCommand5->show();
    form.SSCommand1->show();
    form.picDest->setGeometry(8, 0, ZoomWidth(form), ZoomHeight(form));
    form.picDest->show();
    form.VScr->show();
    form.HScroll1->setValue(0);
    form.HScroll1->show();
    SetScrollRanges(form);
}

void ZoomOut(Form1& form) {
    form.SSCommand2->setEnabled(false);
    form.cmdWide->setEnabled(false);
    form.SSPanel2->show();
    setStatusPanelsVisible(form, true);
    form.Image1->hide();
    form.Image1->setGeometry(328, 0, 443, 555);
    form.panText3->show();
    form.cmdZoomOut->hide();
    form.SSCommand5->hide();
    form.SSCommand1->hide();
    form.Image1->show();
    form.picDest->hide();
    form.HScroll1->hide();
    form.VScr->hide();
    form.panParent->hide();
    // Clicks queued during the switch find Exit and Wide disabled and are dropped.
    QCoreApplication::processEvents();
    form.SSCommand2->setEnabled(true);
    form.cmdWide->setEnabled(true);
    form.cmdZoom->setEnabled(true);
}

void ZoomWide(Form1& form) {
    form.SSCommand5->setText(QStringLiteral("Zoom In"));
    form.SSCommand5->show();
    form.SSCommand2->setEnabled(false);
    form.cmdWide->setEnabled(false);
    form.cmdZoom->setEnabled(false);
    setStatusPanelsVisible(form, false);
    form.panText3->hide();
    form.panParent->move(ParentPanelLeft(form), form.panParent->y());
    form.panParent->show();
    form.cmdZoomOut->show();
    form.SSCommand1->show();
    form.SSPanel2->hide();
    // Hidden while it changes size, so the stretched picture is drawn once.
    form.Image1->hide();
    form.picDest->hide();
    form.HScroll1->hide();
    form.VScr->hide();
    form.Image1->resize(WideWidth(form), WideHeight(form));
    form.Image1->raise();
    form.Image1->move(6, form.Image1->y());
    form.Image1->show();
}

void cmdZoom_Click(Form1& form) {
    form.SSCommand5->setText(QStringLiteral("Wide"));
    form.app().ZoomMode = QStringLiteral("1");
    ZoomIn(form);
}

void cmdWide_Click(Form1& form) {
    form.app().ZoomMode = QStringLiteral("0");
    ZoomWide(form);
}

void cmdZoomOut_Click(Form1& form) {
    ZoomOut(form);
    FocusNextYear(form);
}

void SSCommand5_Click(Form1& form) {
    AppState& app = form.app();
    if (app.ZoomMode.trimmed().toDouble() == 1) {
        ZoomWide(form);
        form.SSCommand5->setText(QStringLiteral("Zoom In"));
        app.ZoomMode = QStringLiteral("0");
        return;
    }
    form.SSCommand5->setText(QStringLiteral("Wide"));
    form.SSPanel2->show();
    setStatusPanelsVisible(form, true);
    ZoomIn(form);
    app.ZoomMode = QStringLiteral("1");
}

void Image1_DblClick(Form1& form) {
    if (form.cmdZoom->isEnabled()) {
        form.SSCommand5->setText(QStringLiteral("Wide"));
        form.app().ZoomMode = QStringLiteral("1");
        ZoomIn(form);
    }
    QCoreApplication::processEvents();
    form.SSCommand2->setEnabled(true);
    form.cmdWide->setEnabled(true);
    form.cmdZoom->setEnabled(true);
}

void picDest_DblClick(Form1& form) {
    ZoomOut(form);
    FocusNextYear(form);
}
