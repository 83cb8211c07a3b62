// The main window as designed, its exit routes, the splash and the real
// message boxes.
#include "fixtures.h"
#include "platform/msgboxstyle.h"
#include "platform/qtmessageboxes.h"
#include "shell/form1.h"
#include "shell/form1_load.h"
#include "shell/form2.h"
#include "shell/menukeys.h"
#include "shell/programstart.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/spinbutton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void captionIconAndClientArea();
    void yearPanel();
    void controlsAtDesignedPlaces();
    void menuTree();
    void exitRoutes_data();
    void exitRoutes();
    void outerMeasuresIncludeTheFrame();
    void exitWhileMinimisedKeepsSavedGeometry();
    void exitWhileMaximisedSavesMaximisedMeasures();
    void exitShowsHiddenTaskbar();
    void splashThenMainWindow();
    void realMessageBoxEscapeIsCancel();
};

void TestMainWindow::captionIconAndClientArea() {
    TestEnv env;
    Form1 form(env.app());
    QCOMPARE(form.windowTitle(),
             QStringLiteral("Kestrun Ads - The Marketing of Ruzariz's Zephcar v1.10"));
    QVERIFY(!form.windowIcon().isNull());
    QVERIFY(form.windowIcon().availableSizes().contains(QSize(32, 32)));
    // The cover picture is the stored 475 × 555 one, stretched into 443 × 555.
    QCOMPARE(form.Image1->picture().size(), QSize(475, 555));
    QCOMPARE(form.Image1->geometry(), QRect(328, 0, 443, 555));
    QVERIFY(!form.Image1->isEnabled());
    QVERIFY(!form.PicSrc->hasPicture());
    QVERIFY(!form.picDest->hasPicture());
}

void TestMainWindow::yearPanel() {
    TestEnv env;
    Form1 form(env.app());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.SSPanel2->geometry(), QRect(8, 0, 297, 489));
    const QColor blue(0, 0, 192), red(255, 0, 0), green(0, 128, 0), purple(128, 0, 128),
        black(0, 0, 0);
    for (int i = 0; i < 36; ++i) {
        Button3D* b = form.cmdYear[i];
        QCOMPARE(b->parentWidget(), form.SSPanel2);
        QCOMPARE(b->text(), QString::number(1964 + i));
        QCOMPARE(b->geometry(), QRect(24 + 88 * (i / 13), 16 + 32 * (i % 13), 73, 33));
        QVERIFY(b->isVisible() && b->isEnabled());
        QVERIFY(b->font().bold());
        QCOMPARE(b->font().pointSizeF(), 8.25);
        const QColor want = i <= 9    ? blue
                            : i <= 14 ? red
                            : i <= 29 ? green
                            : i <= 34 ? purple
                                      : black;
        QCOMPARE(b->captionColor(), want);
        QCOMPARE(b->toolTip().isEmpty(), i != 0);
    }
    QCOMPARE(form.cmdYear[0]->toolTip(),
             QStringLiteral(
                 "Click a Year button to view advertisements that were published that year."));
    QCOMPARE(form.cmdYear[35]->geometry().topLeft(), QPoint(200, 304));

    struct Row {
        Button3D* button;
        QString caption;
        QRect rect;
    } rows[] = {{form.cmdWide, QStringLiteral("Wide"), QRect(24, 440, 73, 33)},
                {form.cmdZoom, QStringLiteral("Zoom In"), QRect(112, 440, 73, 33)},
                {form.SSCommand2, QStringLiteral("Exit"), QRect(200, 440, 73, 34)}};
    for (const Row& r : rows) {
        QCOMPARE(r.button->text(), r.caption);
        QCOMPARE(r.button->geometry(), r.rect);
        QVERIFY(r.button->isVisible());
        QVERIFY(!r.button->isEnabled());
    }
    QCOMPARE(form.cmdZoom->toolTip(),
             QStringLiteral(
                 "Click here to \"zoom in\" and \"zoom out\"  on the ad for a better view.."));
}

void TestMainWindow::controlsAtDesignedPlaces() {
    TestEnv env;
    Form1 form(env.app());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    struct Row {
        QWidget* w;
        QRect rect;
        bool visible;
    } rows[] = {
        {form.Image1, QRect(328, 0, 443, 555), true},
        {form.picDest, QRect(184, 24, 57, 57), false},
        {form.PicSrc, QRect(256, 168, 24, 78), false},
        {form.HScroll1, QRect(314, 504, 481, 18), false},
        {form.VScr, QRect(776, 0, 18, 529), false},
        {form.SpinButton1, QRect(320, 528, 57, 24), false},
        {form.Text1, QRect(376, 528, 65, 25), false},
        {form.panText3, QRect(376, 480, 75, 25), false},
        {form.panParent, QRect(438, 528, 145, 23), false},
        {form.cmdZoomOut, QRect(672, 528, 81, 25), false},
        {form.SSCommand5, QRect(600, 528, 73, 25), false},
        {form.SSCommand1, QRect(752, 528, 41, 25), false},
        {form.PnlCoStar, QRect(8, 528, 297, 25), true},
        {form.StatusDay, QRect(8, 504, 97, 25), true},
        {form.StatusDate, QRect(104, 504, 105, 25), true},
        {form.StatusTime, QRect(208, 504, 97, 25), true},
        {form.pnlProgress, QRect(288, 56, 486, 345), false},
    };
    for (const Row& r : rows) {
        QCOMPARE(r.w->parentWidget(), form.client());
        QCOMPARE(r.w->geometry(), r.rect);
        QCOMPARE(r.w->isVisible(), r.visible);
    }
    QCOMPARE(form.cmdZoomOut->text(), QStringLiteral("Zoom Out"));
    QCOMPARE(form.SSCommand5->text(), QStringLiteral("Wide"));
    QCOMPARE(form.SSCommand1->text(), QStringLiteral("Exit"));
    QCOMPARE(form.PnlCoStar->caption(),
             QStringLiteral("Kestrun Ads - The Marketing of Ruzariz's Zephcar v1.10"));
    QCOMPARE(form.PnlCoStar->font().family(), QStringLiteral("Arial"));
    // Without Arial Black, the heaviest face of its metric-compatible family.
    const QFontInfo counter(form.Text1->font());
    QVERIFY2(counter.family() == "Arial Black" ||
                 (counter.family() == "Liberation Sans" && counter.weight() >= QFont::Bold),
             qPrintable(counter.family()));
    QCOMPARE(form.Text1->palette().color(QPalette::Text), QColor(0, 128, 0));
    QCOMPARE(form.picDest->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
    QCOMPARE(form.picDest->toolTip(),
             QStringLiteral("Double click on the ad image to \"zoom in\" and \"zoom out\"."));
    QCOMPARE(form.VScr->toolTip(),
             QStringLiteral("Scroll up and down an ad when in \"zoom in\" mode."));
    QVERIFY(form.HScroll1->toolTip().isEmpty());
    QCOMPARE(form.VScr->minimum(), 0);
    QCOMPARE(form.HScroll1->minimum(), 0);
    QCOMPARE(form.SpinButton1->toolTip(),
             QStringLiteral("Selects backward and forward through multiple ads if present. "));
    QCOMPARE(form.Text1->toolTip(),
             QStringLiteral("Displays the number of the ad for years in which there are mor than "
                            "one ad for a particular Make."));
    QCOMPARE(form.panParent->toolTip(),
             QStringLiteral("Identifies the ad which is being displayed."));
    // The clock panels carry the time from the first tick on.
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(form.Timer1->interval(), 100);
    QVERIFY(
        form.StatusTime->caption().contains(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d [ap]m$")));
    QVERIFY(form.StatusDate->caption().contains(QRegularExpression("^\\d\\d/\\d\\d/\\d\\d$")));
    // The controls keep their places when the window is resized.
    form.resize(400, 300);
    QCOMPARE(form.Image1->geometry(), QRect(328, 0, 443, 555));
}

static QStringList captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : shownCaption(a));
    return out;
}

void TestMainWindow::menuTree() {
    TestEnv env;
    Form1 form(env.app());
    form.show();
    QCOMPARE(captions(form.menuBar()->actions()),
             (QStringList{"File", "Ads List", "HideStatusBar", "Help"}));
    QCOMPARE(captions(form.mnuFile->actions()),
             (QStringList{"Copy CD-ROM Ads to Hard Drive", "Remove Ads from Hard Drive", "-",
                          "Copy Ad to Clipboard", "-", "Check Screen Resolution Setting", "-",
                          "Print Ad", "Print Setup", "-", "Exit"}));
    QCOMPARE(captions(form.mnuHelp->actions()),
             (QStringList{"Contents", "-", "Visit the Quillon Software Website", "Register On-line",
                          "Print Registration Form", "-", "Notice", "-", "About"}));
    QCOMPARE(form.mnuCopyPrint->title(), QStringLiteral("Kestrun Advertisements"));
    QVERIFY(!form.menuBar()->actions().contains(form.mnuCopyPrint->menuAction()));
    QCOMPARE(captions(form.mnuCopyPrint->actions()),
             (QStringList{"Print this Ad?", "Copy this Ad to the Windows Clipboard?"}));
    QCOMPARE(form.mnuPrintCopy[1]->text(), QStringLiteral("Print this Ad?"));
    QCOMPARE(form.mnuPrintCopy[2]->text(),
             QStringLiteral("Copy this Ad to the Windows Clipboard?"));
}

void TestMainWindow::exitRoutes_data() {
    QTest::addColumn<QString>("route");
    QTest::newRow("File > Exit") << "menu";
    QTest::newRow("bottom Exit button") << "SSCommand1";
    QTest::newRow("year panel Exit button, once enabled") << "SSCommand2";
    QTest::newRow("close box") << "close";
}

void TestMainWindow::exitRoutes() {
    QFETCH(QString, route);
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    env.saveSetting(QStringLiteral("MainLeft"), QStringLiteral("999"));
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.move(30, 20);
    form.resize(700, 590);
    if (route == QLatin1String("menu")) {
        form.mnuExit->trigger();
    } else if (route == QLatin1String("SSCommand1")) {
        form.SSCommand1->show();
        QTest::mouseClick(form.SSCommand1, Qt::LeftButton);
    } else if (route == QLatin1String("SSCommand2")) {
        // Disabled as designed: a click does nothing.
        QTest::mouseClick(form.SSCommand2, Qt::LeftButton);
        QCOMPARE(env.endCount(), 0);
        QCOMPARE(env.setting(QStringLiteral("MainLeft")), QStringLiteral("999"));
        form.SSCommand2->setEnabled(true);
        QTest::mouseClick(form.SSCommand2, Qt::LeftButton);
    } else {
        QVERIFY(form.close());
    }
    QCOMPARE(env.endCount(), 1);
    // The outer measures, frame included.
    const QRect outer = form.frameGeometry();
    QCOMPARE(env.setting(QStringLiteral("MainLeft")), QString::number(outer.x() * 15));
    QCOMPARE(env.setting(QStringLiteral("MainTop")), QString::number(outer.y() * 15));
    QCOMPARE(env.setting(QStringLiteral("MainWidth")), QString::number(outer.width() * 15));
    QCOMPARE(env.setting(QStringLiteral("MainHeight")), QString::number(outer.height() * 15));
}

// The measures kept are the outer ones, frame included: the default window of
// an 800 x 600 screen covers it exactly, and saved measures come back as they were.
void TestMainWindow::outerMeasuresIncludeTheFrame() {
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    env.setScreenPixels(800, 600);
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY2(form.frameGeometry() != form.geometry(), "this platform draws no frame");
    QTRY_COMPARE(form.frameGeometry(), QRect(0, 0, 800, 600));

    TestEnv next;
    next.setCommand(QStringLiteral("HWI"));
    next.setScreenPixels(800, 600);
    const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    const char* values[] = {"1500", "1200", "9000", "6000"};
    for (int i = 0; i < 4; ++i)
        next.saveSetting(QLatin1String(keys[i]), QLatin1String(values[i]));
    Form1 again(next.app());
    QVERIFY(Form1_Load(next.app(), again));
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QTRY_COMPARE(again.frameGeometry(), QRect(100, 80, 600, 400));
    again.close();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(next.setting(QLatin1String(keys[i])), QLatin1String(values[i]));
}

void TestMainWindow::exitWhileMinimisedKeepsSavedGeometry() {
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (const char* k : keys)
        env.saveSetting(QLatin1String(k), QStringLiteral("1234"));
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    form.showMinimized();
    QTRY_VERIFY(form.isMinimized());
    form.close();
    QCOMPARE(env.endCount(), 1);
    for (const char* k : keys)
        QCOMPARE(env.setting(QLatin1String(k)), QStringLiteral("1234"));
}

void TestMainWindow::exitWhileMaximisedSavesMaximisedMeasures() {
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    form.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(form.isMaximized());
    const QRect maxed = form.frameGeometry();
    // It fills the screen's available area, larger than the normal 798 × 613 window.
    QCOMPARE(form.frameGeometry(), form.screen()->availableGeometry());
    QVERIFY(maxed.height() > 613);
    form.close();
    QCOMPARE(env.setting(QStringLiteral("MainWidth")).toInt(), maxed.width() * 15);
    QCOMPARE(env.setting(QStringLiteral("MainHeight")).toInt(), maxed.height() * 15);

    // On an 800 × 600 screen the next start restores those measures as a normal window.
    TestEnv next;
    next.setCommand(QStringLiteral("HWI"));
    next.setScreenPixels(800, 600);
    next.saveSetting(QStringLiteral("MainWidth"), env.setting(QStringLiteral("MainWidth")));
    next.saveSetting(QStringLiteral("MainHeight"), env.setting(QStringLiteral("MainHeight")));
    Form1 again(next.app());
    QVERIFY(Form1_Load(next.app(), again));
    again.show();
    QTRY_COMPARE(again.frameGeometry().size(), maxed.size());
    QVERIFY(!again.isMaximized());
}

void TestMainWindow::exitShowsHiddenTaskbar() {
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    // Before the taskbar command ran, the handle is 0 and showing it does nothing.
    QCOMPARE(env.app().TaskbarHandle, quintptr(0));
    form.close();
    QCOMPARE(env.taskbar().showCalls, 0);

    TestEnv hidden;
    hidden.setCommand(QStringLiteral("HWI"));
    Form1 form2(hidden.app());
    QVERIFY(Form1_Load(hidden.app(), form2));
    hidden.app().TaskbarHandle = hidden.app().platform.taskbar->FindWindow();
    hidden.app().platform.taskbar->ShowWindow(hidden.app().TaskbarHandle, Taskbar::Hide);
    form2.close();
    QVERIFY(hidden.taskbar().visible);
    QCOMPARE(hidden.endCount(), 1);
}

void TestMainWindow::splashThenMainWindow() {
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    QElapsedTimer clock;
    clock.start();
    ProgramStart start(env.app());
    Form2* splash = start.splash();
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash->size(), QSize(616, 479));
    QCOMPARE(splash->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(splash->Picture2->geometry(), QRect(24, 24, 569, 353));
    QCOMPARE(splash->Picture2->picture().size(), QSize(600, 363));
    QCOMPARE(splash->SSPanel2->caption(),
             QStringLiteral("  Kestrun Ads - The Marketing of Ruzariz's Zephcar"));
    QCOMPARE(splash->SSPanel2->font().pointSizeF(), 14.25);
    QCOMPARE(splash->Label1->text(), QStringLiteral("v1.10"));
    QCOMPARE(splash->Label1->geometry(), QRect(512, 32, 33, 17));
    QCOMPARE(splash->Timer1->interval(), 3000);
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QVERIFY(!start.mainWindow());

    QSignalSpy shown(&start, &ProgramStart::mainWindowShown);
    QVERIFY(shown.wait(6000));
    QVERIFY(clock.elapsed() >= 2900);
    QVERIFY(start.mainWindow()->isVisible());
    QVERIFY(!QApplication::overrideCursor()); // the default pointer again
    QTRY_VERIFY(start.splash() == nullptr);   // unloaded
    QCOMPARE(env.app().AdsRoot, env.programDir());
}

void TestMainWindow::realMessageBoxEscapeIsCancel() {
    QtMessageBoxes boxes(QStringLiteral("KestrunAds"));
    QString shownText, shownTitle;
    int buttons = 0;
    auto answerWithEscape = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shownText = box->text();
        shownTitle = box->windowTitle();
        buttons = int(box->standardButtons());
        QTest::keyClick(box, Qt::Key_Escape);
    };
    QTimer::singleShot(50, answerWithEscape);
    QCOMPARE(boxes.show(QStringLiteral("one\r\ntwo"), MsgStyle::RetryCancel, ProductTitle),
             MsgReply::Cancel);
    QCOMPARE(shownText, QStringLiteral("one\ntwo"));
    QCOMPARE(shownTitle, ProductTitle);
    QCOMPARE(buttons, int(QMessageBox::Retry | QMessageBox::Cancel));

    QTimer::singleShot(50, answerWithEscape);
    QCOMPARE(boxes.show(QStringLiteral("x is already running!"),
                        MsgStyle::Critical + MsgStyle::SystemModal, QString()),
             MsgReply::Ok);
    QCOMPARE(shownTitle, QStringLiteral("KestrunAds")); // the default title

    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->button(QMessageBox::Retry)->click();
    });
    QCOMPARE(boxes.show(QStringLiteral("again?"), MsgStyle::RetryCancel, ProductTitle),
             MsgReply::Retry);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
