#include "catalogue.h"

#include "lookahead.h"
#include "media/pictureloader.h"
#include "shell/appstate.h"
#include "shell/form1.h"
#include "widgets/button3d.h"
#include "widgets/picturebox.h"

#include <QTimer>
#include <algorithm>

namespace {

QString picturePath(const QString& root, const QString& yearPart, int n) {
    return root + QStringLiteral("\\ads\\") + yearPart + QStringLiteral("tova") +
           QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) + QStringLiteral(".jpg");
}

// The highest ad number of the year below one root, -1 when there is none.
// One listing of the folder answers all 31 probes at once; a medium that is
// gone lists nothing, so every ad counts as missing.
int highestAd(const Files& files, const QString& root, const QString& yearPart) {
    const QString prefix = yearPart + QStringLiteral("tova");
    const QStringList names =
        files.DirAll(root + QStringLiteral("\\ads\\") + prefix + QStringLiteral("??.jpg"));
    int highest = -1;
    for (const QString& name : names) {
        bool ok = false;
        const int n = name.mid(prefix.size(), 2).toInt(&ok);
        if (!ok || n < 0 || n > 30 || !name.at(prefix.size()).isDigit() ||
            !name.at(prefix.size() + 1).isDigit())
            continue;
        highest = qMax(highest, n);
    }
    return highest;
}

// A hard-disk copy may lack pictures (a copy run that failed half way) or
// hold one that cannot be read: the medium has them all, so it is asked too.
bool mediumBehindCopy(const AppState& app) {
    return !app.MediaRoot.isEmpty() && app.MediaRoot != app.AdsRoot;
}

} // namespace

QString AdPicturePath(const AppState& app, int n) {
    return picturePath(app.AdsRoot, app.ViewerState.YearPart, n);
}

QStringList AdPictureSources(const AppState& app, int n) {
    QStringList paths{AdPicturePath(app, n)};
    if (mediumBehindCopy(app))
        paths << picturePath(app.MediaRoot, app.ViewerState.YearPart, n);
    return paths;
}

int CountAds(const AppState& app) {
    const Files& files = *app.platform.files;
    int highest = highestAd(files, app.AdsRoot, app.ViewerState.YearPart);
    if (mediumBehindCopy(app))
        highest = qMax(highest, highestAd(files, app.MediaRoot, app.ViewerState.YearPart));
    return highest + 1;
}

void FocusNextYear(Form1& form) {
    const int index = form.app().ViewerState.YearIndex;
    form.cmdYear[index >= 35 || index < 0 ? 0 : index + 1]->setFocus(Qt::OtherFocusReason);
}

bool LoadAdPicture(Form1& form, int n) {
    const Files& files = *form.app().platform.files;
    for (const QString& path : AdPictureSources(form.app(), n)) {
        AdLookAhead::Picture prepared;
        if (form.lookAhead)
            prepared = form.lookAhead->take(files, path);
        if (prepared.image.isNull())
            prepared.image = LoadPicture(files, path);
        if (prepared.image.isNull())
            continue;
        form.PicSrc->setPicture(QPixmap::fromImage(std::move(prepared.image)));
        form.Image1->setPicture(form.PicSrc->picture(), prepared.stretched);
        // What a screen reader names the picture: its year and its number.
        const int year = form.app().ViewerState.YearIndex;
        const QString name = (year >= 0 && year < 36 ? form.cmdYear[year]->text() : QString()) +
                             QStringLiteral(" Kestrun Ad ") + QString::number(n + 1);
        form.Image1->setAccessibleName(name);
        form.picDest->setAccessibleName(name);
        return true;
    }
    return false;
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
        for (int neighbour : {n + 1 < s.AdCount ? n + 1 : 0, n > 0 ? n - 1 : s.AdCount - 1}) {
            // The file that LoadAdPicture will find first.
            const QStringList sources = AdPictureSources(app, neighbour);
            const auto found = std::find_if(sources.begin(), sources.end(), [&](const QString& p) {
                return app.platform.files->exists(p);
            });
            paths << (found != sources.end() ? *found : sources.first());
        }
    }
    form.lookAhead->prepare(*app.platform.files, paths, form.Image1->size());
}
