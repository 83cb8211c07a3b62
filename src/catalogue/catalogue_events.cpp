#include "catalogue_events.h"

#include "lookahead.h"
#include "selectyear.h"
#include "shell/form1.h"
#include "stepping.h"
#include "widgets/button3d.h"
#include "widgets/spinbutton.h"

namespace {

constexpr int KeyComma = 188;
constexpr int KeyPeriod = 190;

// Comma and period step through the year on view and leave the focus on the
// button they were pressed on; every other key selects that button's year.
void yearKeyDown(Form1& form, int i, int keyCode) {
    if (keyCode == KeyComma || keyCode == KeyPeriod) {
        if (keyCode == KeyComma)
            StepBack(form);
        else
            StepForward(form);
        form.cmdYear[i]->setFocus(Qt::OtherFocusReason);
        return;
    }
    SelectYear(form, i);
}

} // namespace

void ConnectCatalogueEvents(Form1& form) {
    form.lookAhead = new AdLookAhead(&form);
    for (int i = 0; i < 36; ++i) {
        Button3D* b = form.cmdYear[i];
        QObject::connect(b, &QPushButton::clicked, &form, [&form, i] { SelectYear(form, i); });
        QObject::connect(b, &Button3D::keyDown, &form,
                         [&form, i](int key) { yearKeyDown(form, i, key); });
    }
    QObject::connect(form.SpinButton1, &SpinButton::SpinDown, &form, [&form] { StepBack(form); });
    QObject::connect(form.SpinButton1, &SpinButton::SpinUp, &form, [&form] { StepForward(form); });
}
