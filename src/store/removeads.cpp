#include "removeads.h"

#include "platform/msgboxstyle.h"
#include "shell/appstate.h"

#include <QFileInfo>

namespace {

// The ads folder is a real folder of the program folder, not a link that
// leads elsewhere (perhaps to the medium): only then are its files ours.
bool adsFolderIsOwn(const QString& adsHost) {
    if (adsHost.isEmpty())
        return true; // never copied: nothing to delete
    const QFileInfo info(adsHost);
    return info.isDir() && !info.isSymLink();
}

QString removedText() {
    return QStringLiteral("All Ads Successfully Removed!") + CRLF + CRLF +
           QStringLiteral("You must now exit and re-enter the Kestrun Ads to allow ") + CRLF +
           QStringLiteral("the software to find the ads on the cdrom drive.") + CRLF + CRLF;
}

QString notAllRemovedText(qsizetype remaining, qsizetype total, const QString& folder) {
    return QStringLiteral("Not all Ads could be removed from your hard drive: %1 of %2 files "
                          "remain in")
               .arg(remaining)
               .arg(total) +
           CRLF + folder + CRLF + CRLF +
           QStringLiteral("The Kestrun Ads will now close. While these files remain, it will "
                          "keep reading the ads from your hard drive.") +
           CRLF + CRLF;
}

} // namespace

bool ProgramFolderIsMedium(AppState& app) {
    const QString copyPath = app.platform.program.CopyPath;
    if (app.MediaRoot == copyPath)
        return true;
    const Files& files = *app.platform.files;
    // The same folders reached another way: a drive that is the program
    // folder, or an ads folder that is the medium's.
    return Files::sameHostFile(files.hostPathOf(app.MediaRoot), files.hostPathOf(copyPath)) ||
           Files::sameHostFile(files.hostPathOf(app.MediaRoot + QStringLiteral("\\ads")),
                               files.hostPathOf(copyPath + QStringLiteral("\\ads")));
}

bool RemoveAds(AppState& app) {
    Platform& p = app.platform;
    if (ProgramFolderIsMedium(app)) {
        app.MessageText =
            QStringLiteral("The Kestrun Ads are running from the ads in the program folder as "
                           "their CD-ROM, so there are no copies on your hard drive to remove.") +
            CRLF + CRLF + QStringLiteral("Nothing has been removed.") + CRLF;
        p.MsgBox(app.MessageText, MsgStyle::Exclamation, ProductTitle);
        return false;
    }
    const qint16 answer = qint16(
        p.MsgBox(QStringLiteral("Would you like to remove all Kestrun Ads from your hard drive?"),
                 MsgStyle::YesNo + MsgStyle::Question, ProductTitle));
    if (answer != MsgReply::Yes)
        return false;

    p.pointer.set(MousePointer::Hourglass);
    const QString ads = p.program.CopyPath + QStringLiteral("\\ads");
    const QString adsHost = p.files->hostPathOf(ads);
    QStringList remaining;
    qsizetype total = 0;
    if (adsFolderIsOwn(adsHost)) {
        const KillResult killed = p.files->Kill(ads + QStringLiteral("\\*.jpg"));
        remaining = killed.failed;
        total = killed.deleted.size() + killed.failed.size();
        // Stays when anything else is left in it.
        p.files->RmDir(ads + QStringLiteral("\\"));
    } else {
        remaining = p.files->DirAll(ads + QStringLiteral("\\*.jpg"));
        total = remaining.size();
    }
    app.AdsRoot = app.MediaRoot;

    int style = MsgStyle::OkOnly;
    if (remaining.isEmpty()) {
        app.MessageText = removedText();
    } else {
        app.MessageText = notAllRemovedText(remaining.size(), total, adsHost);
        style = MsgStyle::Exclamation;
    }
    p.MsgBox(app.MessageText, style, ProductTitle);
    p.pointer.set(MousePointer::Default);
    return true;
}
