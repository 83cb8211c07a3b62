// The normal, zoomed-in and wide views, switched by the buttons and the
// double-clicks on the real window.
#include "browser.h"
#include "platform/diskspace.h"
#include "store/copypanel.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/spinbutton.h"

#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

class TestViewModes : public QObject {
    Q_OBJECT
private slots:
    void nothingBeforeTheFirstYear();
    void zoomInLayout();
    void wideLayout();
    void zoomOutRestoresTheNormalView_data();
    void zoomOutRestoresTheNormalView();
    void toggleNamesTheOtherView();
    void doubleClickOnTheWidePicture();
    void zoomEntryStartsAtTheTopLeft();
    void newAdWhileZoomedStaysZoomed();
    void copyPanelStaysInFront_data();
    void copyPanelStaysInFront();
    void counterIsOnlyADisplay();
    void keysScrollTheZoomedAd();
};

namespace {

void startOnYear(Browser& b, int year, QSize size = QSize(1000, 1300)) {
    b.addAds(year, {0, 1}, size);
    b.start();
    b.clickYear(year);
}

// The normal view of the state table.
void verifyNormal(Form1& f) {
    QVERIFY(f.Image1->isVisible());
    QCOMPARE(f.Image1->geometry(), QRect(328, 0, 443, 555));
    QVERIFY(!f.picDest->isVisible());
    QVERIFY(!f.VScr->isVisible());
    QVERIFY(!f.HScroll1->isVisible());
    QVERIFY(f.SSPanel2->isVisible());
    QVERIFY(f.StatusDay->isVisible() && f.StatusDate->isVisible() && f.StatusTime->isVisible());
    QVERIFY(f.panText3->isVisible());
    QVERIFY(!f.panParent->isVisible());
    QVERIFY(!f.cmdZoomOut->isVisible() && !f.SSCommand1->isVisible() && !f.SSCommand5->isVisible());
    QVERIFY(f.cmdZoom->isEnabled() && f.cmdWide->isEnabled() && f.SSCommand2->isEnabled());
    const QString covered = unreachable(
        {USABLE(f.Image1), USABLE(f.cmdYear[0]), USABLE(f.cmdYear[12]), USABLE(f.cmdYear[35]),
         USABLE(f.cmdWide), USABLE(f.cmdZoom), USABLE(f.SSCommand2), USABLE(f.StatusDay),
         USABLE(f.StatusDate), USABLE(f.StatusTime), USABLE(f.panText3), USABLE(f.PnlCoStar),
         USABLE(f.SpinButton1->upArrow()), USABLE(f.SpinButton1->downArrow()), USABLE(f.Text1)});
    QVERIFY2(covered.isEmpty(), qPrintable(covered));
}

void verifyZoomed(Form1& f) {
    QVERIFY(!f.Image1->isVisible());
    QVERIFY(f.picDest->isVisible());
    QCOMPARE(f.picDest->size(), QSize(775 + f.HScroll1->Value(), 492 + f.VScr->Value()));
    QVERIFY(f.VScr->isVisible() && f.HScroll1->isVisible());
    QCOMPARE(f.VScr->height(), 492);
    QVERIFY(!f.panText3->isVisible());
    QVERIFY(f.panParent->isVisible());
    QCOMPARE(f.panParent->x(), 456);
    QVERIFY(f.cmdZoomOut->isVisible() && f.SSCommand1->isVisible() && f.SSCommand5->isVisible());
    QCOMPARE(f.SSCommand5->text(), QStringLiteral("Wide"));
    // picDest in front of the panel, VScr in front of picDest.
    const QObjectList& kids = f.client()->children();
    QVERIFY(kids.indexOf(f.picDest) > kids.indexOf(f.SSPanel2));
    QVERIFY(kids.indexOf(f.VScr) > kids.indexOf(f.picDest));
    const QString covered = unreachable(
        {USABLE(f.picDest), USABLE(f.VScr), USABLE(f.HScroll1), USABLE(f.cmdZoomOut),
         USABLE(f.SSCommand5), USABLE(f.SSCommand1), USABLE(f.panParent), USABLE(f.PnlCoStar),
         USABLE(f.SpinButton1->upArrow()), USABLE(f.SpinButton1->downArrow()), USABLE(f.Text1)});
    QVERIFY2(covered.isEmpty(), qPrintable(covered));
}

void verifyWide(Form1& f) {
    QVERIFY(f.Image1->isVisible());
    QCOMPARE(f.Image1->geometry(), QRect(6, 0, 793, 508));
    QVERIFY(!f.picDest->isVisible() && !f.VScr->isVisible() && !f.HScroll1->isVisible());
    QVERIFY(!f.SSPanel2->isVisible());
    QVERIFY(!f.StatusDay->isVisible() && !f.StatusDate->isVisible() && !f.StatusTime->isVisible());
    QVERIFY(!f.panText3->isVisible());
    QVERIFY(f.panParent->isVisible());
    QVERIFY(f.cmdZoomOut->isVisible() && f.SSCommand1->isVisible() && f.SSCommand5->isVisible());
    QCOMPARE(f.SSCommand5->text(), QStringLiteral("Zoom In"));
    QVERIFY(!f.cmdZoom->isEnabled() && !f.cmdWide->isEnabled() && !f.SSCommand2->isEnabled());
    const QString covered = unreachable(
        {USABLE(f.Image1), USABLE(f.cmdZoomOut), USABLE(f.SSCommand5), USABLE(f.SSCommand1),
         USABLE(f.panParent), USABLE(f.PnlCoStar), USABLE(f.SpinButton1->upArrow()),
         USABLE(f.SpinButton1->downArrow()), USABLE(f.Text1)});
    QVERIFY2(covered.isEmpty(), qPrintable(covered));
}

// Room enough for the copy, whatever the machine has.
class AmpleDiskSpace : public DiskSpace {
public:
    std::optional<qint64> freeBytes(const QString&) const override { return 1LL << 40; }
};

} // namespace

void TestViewModes::nothingBeforeTheFirstYear() {
    Browser b;
    b.addAds(1964, {0});
    b.start();
    Form1& f = *b.form;
    userClick(f.cmdZoom);
    userClick(f.cmdWide);
    userDoubleClick(f.Image1);
    QCOMPARE(f.Image1->geometry(), QRect(328, 0, 443, 555));
    QVERIFY(!f.picDest->isVisible());
    QVERIFY(f.SSPanel2->isVisible());
    QCOMPARE(b.app().ZoomMode, QStringLiteral("1"));
}

void TestViewModes::zoomInLayout() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    userClick(f.cmdZoom);
    verifyZoomed(f);
    QCOMPARE(f.picDest->geometry(), QRect(8, 0, 775, 492));
    QCOMPARE(b.app().ZoomMode, QStringLiteral("1"));
    QVERIFY(!f.cmdZoom->isEnabled());
    QVERIFY(f.cmdWide->isEnabled());
    QVERIFY(!f.SSCommand2->isEnabled()); // kept as it was
    QVERIFY(f.SSPanel2->isVisible());    // kept, covered by the picture
    QCOMPARE(f.VScr->Max(), 1300 - 492); // the range fits the new height
    QCOMPARE(f.HScroll1->Max(), 1000 - 795);
    QCOMPARE(f.picDest->toolTip(),
             QStringLiteral("Double click on the ad image to \"zoom in\" and \"zoom out\"."));
}

void TestViewModes::wideLayout() {
    Browser b;
    b.addAds(1974, {0}, QSize(1000, 1300));
    startOnYear(b, 1964);
    Form1& f = *b.form;
    userClick(f.cmdWide);
    verifyWide(f);
    QCOMPARE(b.app().ZoomMode, QStringLiteral("0"));
    // A new ad while wide is stretched into the wide rectangle.
    QTest::mouseClick(f.cmdYear[10], Qt::LeftButton); // covered, but still a button
    QVERIFY(b.showsFile(1974, 0));
    QCOMPARE(f.Image1->geometry(), QRect(6, 0, 793, 508));
}

void TestViewModes::zoomOutRestoresTheNormalView_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("how");
    QTest::newRow("zoomed, Zoom Out") << "zoom"
                                      << "button";
    QTest::newRow("zoomed, double-click") << "zoom"
                                          << "dblclick";
    QTest::newRow("wide, Zoom Out") << "wide"
                                    << "button";
}

void TestViewModes::zoomOutRestoresTheNormalView() {
    QFETCH(QString, from);
    QFETCH(QString, how);
    Browser b;
    startOnYear(b, 1999);
    Form1& f = *b.form;
    userClick(from == QLatin1String("zoom") ? f.cmdZoom : f.cmdWide);
    f.cmdYear[5]->setFocus();
    if (how == QLatin1String("button"))
        userClick(f.cmdZoomOut);
    else
        userDoubleClick(f.picDest);
    verifyNormal(f);
    QCOMPARE(b.focusedYear(), 1964); // the year after 1999
    QCOMPARE(b.app().ZoomMode,
             from == QLatin1String("zoom") ? QStringLiteral("1") : QStringLiteral("0"));
}

void TestViewModes::toggleNamesTheOtherView() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    userClick(f.cmdZoom);
    QCOMPARE(f.SSCommand5->text(), QStringLiteral("Wide"));
    userClick(f.SSCommand5);
    verifyWide(f);
    QCOMPARE(b.app().ZoomMode, QStringLiteral("0"));
    userClick(f.SSCommand5);
    verifyZoomed(f);
    // The toggle brings back the year panel and the status panels.
    QVERIFY(f.SSPanel2->isVisible() && f.StatusTime->isVisible());
    QCOMPARE(b.app().ZoomMode, QStringLiteral("1"));

    // Wide, Zoom Out, then a double-click: the toggle reads "Wide" and leads there.
    userClick(f.cmdZoomOut);
    userClick(f.cmdWide);
    userClick(f.cmdZoomOut);
    userDoubleClick(f.Image1);
    verifyZoomed(f);
    userClick(f.SSCommand5);
    verifyWide(f);
}

void TestViewModes::doubleClickOnTheWidePicture() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    userClick(f.cmdWide);
    userDoubleClick(f.Image1);
    // Still wide, but the three buttons are enabled again.
    QVERIFY(f.Image1->isVisible());
    QCOMPARE(f.Image1->geometry(), QRect(6, 0, 793, 508));
    QVERIFY(f.cmdZoom->isEnabled() && f.cmdWide->isEnabled() && f.SSCommand2->isEnabled());
    // A second double-click zooms in with the panels still hidden.
    userDoubleClick(f.Image1);
    verifyZoomed(f);
    QVERIFY(!f.SSPanel2->isVisible());
    QVERIFY(!f.StatusDay->isVisible());
    QVERIFY(f.cmdZoom->isEnabled()); // enabled again at once by the double-click
}

void TestViewModes::zoomEntryStartsAtTheTopLeft() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    userClick(f.cmdZoom);
    QCOMPARE(f.picDest->pos(), QPoint(8, 0)); // the 8-pixel margin until the first scroll
    f.HScroll1->setValue(120);
    f.VScr->setValue(200);
    QCOMPARE(f.picDest->geometry(), QRect(-120, -200, 895, 692));
    f.HScroll1->setValue(0);
    QCOMPARE(f.picDest->x(), 0); // the margin is gone
    f.HScroll1->setValue(50);
    userClick(f.cmdZoomOut);
    userClick(f.cmdZoom);
    QCOMPARE(f.VScr->Value(), 0);
    QCOMPARE(f.HScroll1->Value(), 0);
    QCOMPARE(f.picDest->geometry(), QRect(0, 0, 775, 492));
}

void TestViewModes::newAdWhileZoomedStaysZoomed() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    userClick(f.cmdZoom);
    f.VScr->setValue(100);
    b.spinUp();
    verifyZoomed(f);
    QVERIFY(b.showsFile(1964, 1));
    QCOMPARE(f.picDest->picture().cacheKey(), f.PicSrc->picture().cacheKey());
    QCOMPARE(f.VScr->Value(), 0);
}

void TestViewModes::copyPanelStaysInFront_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("then");
    QTest::newRow("normal, then wide") << "normal"
                                       << "wide";
    QTest::newRow("zoomed, then wide") << "zoom"
                                       << "wide";
    QTest::newRow("wide, then zoom out") << "wide"
                                         << "out";
    QTest::newRow("wide, then zoomed") << "wide"
                                       << "toggle";
}

// The copy panel opened over any view stays usable whatever view comes next.
void TestViewModes::copyPanelStaysInFront() {
    QFETCH(QString, first);
    QFETCH(QString, then);
    Browser b;
    b.app().platform.diskSpace = std::make_shared<AmpleDiskSpace>();
    startOnYear(b, 1964);
    Form1& f = *b.form;
    if (first == QLatin1String("zoom"))
        userClick(f.cmdZoom);
    else if (first == QLatin1String("wide"))
        userClick(f.cmdWide);
    f.mnuCopy->trigger();
    QVERIFY(f.pnlProgress->isVisible());
    const auto panelUsable = [&f] {
        return unreachable({USABLE(f.copyPanel->cmdCopy), USABLE(f.copyPanel->cmdCancel),
                            USABLE(f.copyPanel->ProgressGuage), USABLE(f.copyPanel->Text2)});
    };
    QString covered = panelUsable();
    QVERIFY2(covered.isEmpty(), qPrintable(covered));
    if (then == QLatin1String("wide"))
        userClick(first == QLatin1String("zoom") ? f.SSCommand5 : f.cmdWide);
    else if (then == QLatin1String("out"))
        userClick(f.cmdZoomOut);
    else
        userClick(f.SSCommand5);
    covered = panelUsable();
    QVERIFY2(covered.isEmpty(), qPrintable(covered));
    userClick(f.copyPanel->cmdCancel);
    QVERIFY(!f.pnlProgress->isVisible());
}

// Keys that reach the counter (the disabled Zoom In button hands the focus
// on) leave its text alone.
void TestViewModes::counterIsOnlyADisplay() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    userClick(f.cmdZoom);
    f.Text1->setFocus();
    QTest::keyClicks(f.Text1, QStringLiteral(",.x"));
    QTest::keyClick(f.Text1, Qt::Key_Backspace);
    QCOMPARE(b.counter(), QStringLiteral("1 of 2"));
    // Focus arriving by Tab does not show its text selected.
    f.Text1->clearFocus();
    f.Text1->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!f.Text1->hasSelectedText());
}

// A click on a scroll bar gives it the keyboard, and the keys then scroll the
// picture as the bar's own arrows do.
void TestViewModes::keysScrollTheZoomedAd() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    userClick(f.cmdZoom);
    userClick(f.VScr);
    QCOMPARE(QApplication::focusWidget(), f.VScr);
    const int track = f.VScr->Value(); // the click in the track moved it a page
    QTest::keyClick(f.VScr, Qt::Key_Down);
    QCOMPARE(f.VScr->Value(), track + f.VScr->singleStep());
    QCOMPARE(f.picDest->y(), -f.VScr->Value());
    QTest::keyClick(f.VScr, Qt::Key_End);
    QCOMPARE(f.VScr->Value(), f.VScr->Max());
    QCOMPARE(f.picDest->y(), -f.VScr->Max());
    QTest::keyClick(f.VScr, Qt::Key_Home);
    QCOMPARE(f.VScr->Value(), 0);

    userClick(f.HScroll1);
    QCOMPARE(QApplication::focusWidget(), f.HScroll1);
    const int across = f.HScroll1->Value();
    QTest::keyClick(f.HScroll1, Qt::Key_PageDown);
    QCOMPARE(f.HScroll1->Value(), qMin(f.HScroll1->Max(), across + f.HScroll1->pageStep()));
    QCOMPARE(f.picDest->x(), -f.HScroll1->Value());
    // Right moves the thumb right, Left back.
    QTest::keyClick(f.HScroll1, Qt::Key_Home);
    QTest::keyClick(f.HScroll1, Qt::Key_Right);
    QCOMPARE(f.HScroll1->Value(), f.HScroll1->singleStep());
    QTest::keyClick(f.HScroll1, Qt::Key_Left);
    QCOMPARE(f.HScroll1->Value(), 0);
}

QTEST_MAIN(TestViewModes)
#include "tst_viewmodes.moc"
