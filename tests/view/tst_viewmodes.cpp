// The normal, zoomed-in and wide views, switched by the buttons and the
// double-clicks on the real window.
#include "browser.h"
#include "platform/button3d.h"
#include "platform/panel3d.h"
#include "platform/picturebox.h"
#include "platform/scrollbar.h"

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
    const QObjectList& kids = f.client()->children();
    QCOMPARE(kids.last(), f.Image1); // front-most
}

} // namespace

void TestViewModes::nothingBeforeTheFirstYear() {
    Browser b;
    b.addAds(1964, {0});
    b.start();
    Form1& f = *b.form;
    QTest::mouseClick(f.cmdZoom, Qt::LeftButton);
    QTest::mouseClick(f.cmdWide, Qt::LeftButton);
    QTest::mouseDClick(f.Image1, Qt::LeftButton);
    QCOMPARE(f.Image1->geometry(), QRect(328, 0, 443, 555));
    QVERIFY(!f.picDest->isVisible());
    QVERIFY(f.SSPanel2->isVisible());
    QCOMPARE(b.app().ZoomMode, QStringLiteral("1"));
}

void TestViewModes::zoomInLayout() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    QTest::mouseClick(f.cmdZoom, Qt::LeftButton);
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
    startOnYear(b, 1964);
    Form1& f = *b.form;
    QTest::mouseClick(f.cmdWide, Qt::LeftButton);
    verifyWide(f);
    QCOMPARE(b.app().ZoomMode, QStringLiteral("0"));
    // A new ad while wide is stretched into the wide rectangle.
    QTest::mouseClick(f.cmdYear[10], Qt::LeftButton); // covered, but still a button
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
    QTest::mouseClick(from == QLatin1String("zoom") ? f.cmdZoom : f.cmdWide, Qt::LeftButton);
    f.cmdYear[5]->setFocus();
    if (how == QLatin1String("button"))
        QTest::mouseClick(f.cmdZoomOut, Qt::LeftButton);
    else
        QTest::mouseDClick(f.picDest, Qt::LeftButton, {}, QPoint(50, 50));
    verifyNormal(f);
    QCOMPARE(b.focusedYear(), 1964); // the year after 1999
    QCOMPARE(b.app().ZoomMode,
             from == QLatin1String("zoom") ? QStringLiteral("1") : QStringLiteral("0"));
}

void TestViewModes::toggleNamesTheOtherView() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    QTest::mouseClick(f.cmdZoom, Qt::LeftButton);
    QCOMPARE(f.SSCommand5->text(), QStringLiteral("Wide"));
    QTest::mouseClick(f.SSCommand5, Qt::LeftButton);
    verifyWide(f);
    QCOMPARE(b.app().ZoomMode, QStringLiteral("0"));
    QTest::mouseClick(f.SSCommand5, Qt::LeftButton);
    verifyZoomed(f);
    // The toggle brings back the year panel and the status panels.
    QVERIFY(f.SSPanel2->isVisible() && f.StatusTime->isVisible());
    QCOMPARE(b.app().ZoomMode, QStringLiteral("1"));

    // Wide, Zoom Out, then a double-click: the toggle reads "Wide" and leads there.
    QTest::mouseClick(f.cmdZoomOut, Qt::LeftButton);
    QTest::mouseClick(f.cmdWide, Qt::LeftButton);
    QTest::mouseClick(f.cmdZoomOut, Qt::LeftButton);
    QTest::mouseDClick(f.Image1, Qt::LeftButton, {}, QPoint(20, 20));
    verifyZoomed(f);
    QTest::mouseClick(f.SSCommand5, Qt::LeftButton);
    verifyWide(f);
}

void TestViewModes::doubleClickOnTheWidePicture() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    QTest::mouseClick(f.cmdWide, Qt::LeftButton);
    QTest::mouseDClick(f.Image1, Qt::LeftButton, {}, QPoint(100, 100));
    // Still wide, but the three buttons are enabled again.
    QVERIFY(f.Image1->isVisible());
    QCOMPARE(f.Image1->geometry(), QRect(6, 0, 793, 508));
    QVERIFY(f.cmdZoom->isEnabled() && f.cmdWide->isEnabled() && f.SSCommand2->isEnabled());
    // A second double-click zooms in with the panels still hidden.
    QTest::mouseDClick(f.Image1, Qt::LeftButton, {}, QPoint(100, 100));
    verifyZoomed(f);
    QVERIFY(!f.SSPanel2->isVisible());
    QVERIFY(!f.StatusDay->isVisible());
    QVERIFY(f.cmdZoom->isEnabled()); // enabled again at once by the double-click
}

void TestViewModes::zoomEntryStartsAtTheTopLeft() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    QTest::mouseClick(f.cmdZoom, Qt::LeftButton);
    QCOMPARE(f.picDest->pos(), QPoint(8, 0)); // the 8-pixel margin until the first scroll
    f.HScroll1->setValue(120);
    f.VScr->setValue(200);
    QCOMPARE(f.picDest->geometry(), QRect(-120, -200, 895, 692));
    f.HScroll1->setValue(0);
    QCOMPARE(f.picDest->x(), 0); // the margin is gone
    f.HScroll1->setValue(50);
    QTest::mouseClick(f.cmdZoomOut, Qt::LeftButton);
    QTest::mouseClick(f.cmdZoom, Qt::LeftButton);
    QCOMPARE(f.VScr->Value(), 0);
    QCOMPARE(f.HScroll1->Value(), 0);
    QCOMPARE(f.picDest->geometry(), QRect(0, 0, 775, 492));
}

void TestViewModes::newAdWhileZoomedStaysZoomed() {
    Browser b;
    startOnYear(b, 1964);
    Form1& f = *b.form;
    QTest::mouseClick(f.cmdZoom, Qt::LeftButton);
    f.VScr->setValue(100);
    b.spinUp();
    verifyZoomed(f);
    QVERIFY(b.showsFile(1964, 1));
    QCOMPARE(f.picDest->picture().cacheKey(), f.PicSrc->picture().cacheKey());
    QCOMPARE(f.VScr->Value(), 0);
}

QTEST_MAIN(TestViewModes)
#include "tst_viewmodes.moc"
