#include "catalogue.h"

#include "appstate.h"
#include "platform/button3d.h"
#include "platform/picturebox.h"
#include "platform/pictureloader.h"
#include "shell/form1.h"

QString AdPicturePath(const AppState& app, int n) {
    return app.AdsRoot + QStringLiteral("\\ads\\") + app.ViewerState.YearPart +
           QStringLiteral("tova") + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) +
           QStringLiteral(".jpg");
}

int CountAds(const AppState& app) {
    // One listing of the folder answers all 31 probes at once; a medium that
    // is gone lists nothing, so every ad counts as missing.
    const QString prefix = app.ViewerState.YearPart + QStringLiteral("tova");
    const QStringList names = app.platform.files->DirAll(app.AdsRoot + QStringLiteral("\\ads\\") +
                                                         prefix + QStringLiteral("??.jpg"));
    int highest = -1;
    for (const QString& name : names) {
        bool ok = false;
        const int n = name.mid(prefix.size(), 2).toInt(&ok);
        if (!ok || n < 0 || n > 30 || !name.at(prefix.size()).isDigit() ||
            !name.at(prefix.size() + 1).isDigit())
            continue;
        highest = qMax(highest, n);
    }
    return highest + 1;
}

void FocusNextYear(Form1& form) {
    const int index = form.app().ViewerState.YearIndex;
    form.cmdYear[index >= 35 || index < 0 ? 0 : index + 1]->setFocus(Qt::OtherFocusReason);
}

bool LoadAdPicture(Form1& form, int n) {
    const QImage image = LoadPicture(*form.app().platform.files, AdPicturePath(form.app(), n));
    if (image.isNull())
        return false;
    form.PicSrc->setPicture(QPixmap::fromImage(image));
    form.Image1->setPicture(form.PicSrc->picture());
    return true;
}
