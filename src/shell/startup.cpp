#include "startup.h"

#include "appstate.h"
#include "mediaprompt.h"
#include "platform/msgboxstyle.h"
#include "platform/twips.h"
#include "platform/vbnumber.h"

#include <QRect>
#include <cmath>
#include <optional>

bool CheckSingleInstance(AppState& app) {
    if (app.platform.instanceLock->tryAcquire())
        return true;
    app.platform.MsgBox(app.platform.program.EXEName + QStringLiteral(" is already running!"),
                        MsgStyle::Critical + MsgStyle::SystemModal, QString());
    app.platform.terminate();
    return false;
}

static bool probe(const AppState& app, const QString& root) {
    return !app.platform.files->Dir(root + QStringLiteral("\\ads\\*.jpg")).isEmpty();
}

bool LocateAds(AppState& app) {
    const QString appPath = app.platform.program.Path;
    if (app.platform.program.Command == QLatin1String("HWI")) {
        app.MediaRoot = appPath;
        app.AdsRoot = appPath;
        return true;
    }
    // Copied ads lie beside the executable, or, when it could not be written
    // there, in the user's own folder.
    const QString copyPath = app.platform.program.CopyPath;
    for (;;) {
        if (probe(app, appPath))
            app.AdsRoot = appPath;
        else if (!copyPath.isEmpty() && copyPath != appPath && probe(app, copyPath))
            app.AdsRoot = copyPath;
        const QString letters = QStringLiteral("DEFGHIJKLMNOPQRSTUVWXYZ");
        for (QChar letter : letters) {
            const QString root = QString(letter) + QLatin1Char(':');
            if (probe(app, root)) {
                app.MediaRoot = root;
                if (app.AdsRoot.isEmpty())
                    app.AdsRoot = app.MediaRoot;
                return true;
            }
        }
        app.MediaErrorCode = QStringLiteral("CA002");
        if (!ShowMediaPrompt(app))
            return false;
    }
}

bool IsScreenSize(const AppState& app, int width, int height) {
    const qint64 w = qint64(width) * TwipsPerPixel;
    const qint64 h = qint64(height) * TwipsPerPixel;
    if (app.platform.screen->widthTwips() != double(w))
        return false;
    return app.platform.screen->heightTwips() == double(h);
}

// A window measure the window can take: a pixel count that fits the window
// system's 16-bit coordinates. Anything else is a failed assignment.
static std::optional<double> measure(double twips, bool isSize) {
    if (!std::isfinite(twips))
        return std::nullopt;
    const double px = twips / TwipsPerPixel;
    if (px > 32767 || px < (isSize ? 0 : -32768))
        return std::nullopt;
    return twips;
}

static std::optional<double> savedMeasure(const AppState& app, const char* key, double fallback,
                                          bool isSize) {
    const auto& settings = *app.platform.settings;
    const QString title = app.platform.program.Title;
    const QString section = QStringLiteral("Settings");
    if (!settings.hasSetting(title, section, QLatin1String(key)))
        return measure(fallback, isSize);
    float v = 0;
    if (!textToSingle(settings.GetSetting(title, section, QLatin1String(key)), &v))
        return std::nullopt;
    return measure(v, isSize);
}

WindowPlacement PlaceMainWindow(AppState& app, const WindowTwips& current,
                                const SizingControls& c) {
    WindowPlacement out;
    out.rect = current;
    if (!IsScreenSize(app, 800, 600)) {
        out.hideStatusMenu = true;
        out.rect.width = double(c.image1Left + c.image1Width) * TwipsPerPixel + 400;
        out.rect.height = double(c.text1Top + c.text1Height) * TwipsPerPixel + 900;
    } else {
        if (auto w = savedMeasure(app, "MainWidth", app.platform.screen->widthTwips(), true))
            out.rect.width = *w;
        if (auto h = savedMeasure(app, "MainHeight", app.platform.screen->heightTwips(), true))
            out.rect.height = *h;
    }
    if (auto l = savedMeasure(app, "MainLeft", 0, false))
        out.rect.left = *l;
    if (auto t = savedMeasure(app, "MainTop", 0, false))
        out.rect.top = *t;

    // A screen that is gone must not take the window with it.
    const QRect px(qRound(out.rect.left / TwipsPerPixel), qRound(out.rect.top / TwipsPerPixel),
                   qMax(1, qRound(out.rect.width / TwipsPerPixel)),
                   qMax(1, qRound(out.rect.height / TwipsPerPixel)));
    bool onScreen = false;
    for (const QRect& s : app.platform.screen->screenRects())
        onScreen = onScreen || s.intersects(px);
    if (!onScreen) {
        out.rect.left = 0;
        out.rect.top = 0;
    }
    return out;
}
