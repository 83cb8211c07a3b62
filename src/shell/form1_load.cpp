#include "form1_load.h"

#include "appstate.h"
#include "form1.h"
#include "startup.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QLineEdit>

bool Form1_Load(AppState& app, Form1& form) {
    if (!CheckSingleInstance(app))
        return false;
    if (!LocateAds(app))
        return false;
    SizingControls controls;
    controls.image1Left = form.Image1->x();
    controls.image1Width = form.Image1->width();
    controls.text1Top = form.Text1->y();
    controls.text1Height = form.Text1->height();
    const WindowPlacement placement = PlaceMainWindow(app, form.windowTwips(), controls);
    if (placement.hideStatusMenu)
        form.mnuHideStatus->setVisible(false);
    form.setWindowTwips(placement.rect);
    app.ZoomMode = QStringLiteral("1");
    return true;
}
