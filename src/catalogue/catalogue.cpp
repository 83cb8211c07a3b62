#include "catalogue.h"

#include "appstate.h"
#include "lookahead.h"
#include "platform/button3d.h"
#include "platform/picturebox.h"
#include "platform/pictureloader.h"
#include "shell/form1.h"

#include <QTimer>

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
    const Files& files = *form.app().platform.files;
    const QString path = AdPicturePath(form.app(), n);
    AdLookAhead::Picture prepared;
    if (form.lookAhead)
        prepared = form.lookAhead->take(files, path);
    if (prepared.image.isNull())
        prepared.image = LoadPicture(files, path);
    if (prepared.image.isNull())
        return false;
    form.PicSrc->setPicture(QPixmap::fromImage(std::move(prepared.image)));
    form.Image1->setPicture(form.PicSrc->picture(), prepared.stretched);
    return true;
}

static void prepareNow(Form1& form);

void PrepareNeighbours(Form1& form) {
    if (!form.lookAhead)
        return;
    // After the ad on view has been painted, not before.
    QTimer::singleShot(0, form.lookAhead, [&form] { prepareNow(form); });
}

static void prepareNow(Form1& form) {
    const AppState& app = form.app();
    const ViewerStateRecord& s = app.ViewerState;
    QStringList paths;
    if (s.AdCount > 1) {
        const int n = s.AdNumber;
        paths << AdPicturePath(app, n + 1 < s.AdCount ? n + 1 : 0)
              << AdPicturePath(app, n > 0 ? n - 1 : s.AdCount - 1);
    }
    form.lookAhead->prepare(*app.platform.files, paths, form.Image1->size());
}
