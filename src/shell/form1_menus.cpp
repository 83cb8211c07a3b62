// The main window's menu tree and the ad's pop-up menu.
#include "form1.h"

#include "menukeys.h"
#include "taskbar_command.h"

#include <QMenu>
#include <QMenuBar>

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuCopy = mnuFile->addAction(QStringLiteral("&Copy CD-ROM Ads to Hard Drive"));
    mnuRemove = mnuFile->addAction(QStringLiteral("&Remove Ads from Hard Drive"));
    mnuDash1 = mnuFile->addSeparator();
    mnuClip = mnuFile->addAction(QStringLiteral("Copy &Ad to Clipboard"));
    mnuDash2 = mnuFile->addSeparator();
    mnuResolution = mnuFile->addAction(QStringLiteral("Check &Screen Resolution Setting"));
    mnuDash4 = mnuFile->addSeparator();
    mnuPrint = mnuFile->addAction(QStringLiteral("&Print Ad"));
    mnuSetup = mnuFile->addAction(QStringLiteral("Print Se&tup"));
    mnuDash3 = mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));

    mnuList = bar->addAction(QStringLiteral("&Ads List"));
    mnuHideStatus = bar->addAction(HideStatusText);

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuContents = mnuHelp->addAction(QStringLiteral("&Contents"));
    mnuLine3 = mnuHelp->addSeparator();
    mnuQuillonSoftware = mnuHelp->addAction(QStringLiteral("&Visit the Quillon Software Website"));
    mnuRegisterOL = mnuHelp->addAction(QStringLiteral("&Register On-line"));
    mnuRegister = mnuHelp->addAction(QStringLiteral("&Print Registration Form"));
    mnuLine4 = mnuHelp->addSeparator();
    mnuNotice = mnuHelp->addAction(QStringLiteral("&Notice"));
    mnuLine2 = mnuHelp->addSeparator();
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About"));

    // Access keys: F, A, S (of "Status": H is Help's) and H on the bar, each
    // letter once per menu.
    InstallMenuKeys(*this);

    // Never on the bar: it only serves as the ad's pop-up menu.
    mnuCopyPrint = new QMenu(QStringLiteral("Kestrun Advertisements"), this);
    mnuPrintCopy[1] = mnuCopyPrint->addAction(QStringLiteral("Print this Ad?"));
    mnuPrintCopy[2] =
        mnuCopyPrint->addAction(QStringLiteral("Copy this Ad to the Windows Clipboard?"));
    mnuCopyPrint->menuAction()->setVisible(false);
}
