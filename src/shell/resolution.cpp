#include "resolution.h"

#include "appstate.h"
#include "platform/msgboxstyle.h"
#include "platform/twips.h"
#include "platform/vbnumber.h"
#include "startup.h"

void CheckScreenResolution(AppState& app) {
    if (IsScreenSize(app, 800, 600)) {
        app.MessageText = QStringLiteral("Your current screen resolution is set at 800x600.") +
                          CRLF + CRLF +
                          QStringLiteral("This is the optimum setting for the Kestrun Ads!");
        app.platform.MsgBox(app.MessageText, MsgStyle::OkOnly, ProductTitle);
        return;
    }
    // Pixels as the program counts them: 15 twips each, whatever the display.
    const float w = float(app.platform.screen->widthTwips() / TwipsPerPixel);
    const float h = float(app.platform.screen->heightTwips() / TwipsPerPixel);
    const QStringList lines = {
        QStringLiteral("Your current screen resolution is set at ") + StrSingle(w) +
            QStringLiteral(" by") + StrSingle(h) + QStringLiteral(" pixles."),
        QString(),
        QStringLiteral("The optimum setting for the Kestrun Ads is 800 by 600 pixels."),
        QString(),
        QStringLiteral(
            "Also, The Kestrun Ads requires that the Small Fonts display setting is selected."),
        QString(),
        QStringLiteral(
            "To change your resolution and font size settings perform the following steps:"),
        QStringLiteral("    1)  Click the right mouse button while the cursor is on the Windows "
                       "desktop."),
        QStringLiteral(
            "    2)  Select the Properties option from the window that will be displayed."),
        QStringLiteral("    3)  Select the Settings tab."),
        QStringLiteral("    4)  Adjust the Screen area Slide control to 800x600."),
        QStringLiteral("    5)  You may also want to set the Colors to the highest level allowed "
                       "by your"),
        QStringLiteral("         graphics card."),
        QStringLiteral("    6)  To change the font size setting:"),
        QStringLiteral(
            "          Click the Advanced button on the bottom right of the above window."),
        QStringLiteral("          Select Small Fonts from the font size drop-down list box."),
        QString(),
        QStringLiteral(
            "You may now have to re-start your computer for the new settings to take affect."),
    };
    app.MessageText.clear();
    for (const QString& line : lines)
        app.MessageText += line + CRLF;
    app.platform.MsgBox(app.MessageText, MsgStyle::OkOnly + MsgStyle::Exclamation, ProductTitle);
}
