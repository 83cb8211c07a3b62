// Scrolling the zoomed picture: the ranges follow the picture, picDest moves
// and grows with the values, negative maxima, dragging the thumb.
#include "browser.h"
#include "shell/scrollranges.h"
#include "view/scrolling.h"
#include "widgets/button3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"

#include <QtTest>

class TestScrolling : public QObject {
    Q_OBJECT
private slots:
    void scrollBarKeepsZeroAtItsStart();
    void rangesAndGeometry_data();
    void rangesAndGeometry();
    void draggingTheThumbMovesNothingUntilRelease();
    void arrowsAndTrackClicksScroll();
};

// The zoomed-in layout: picDest at (8, 0) as wide as the view, VScr as high.
static void zoomLayout(Form1& f) {
    f.VScr->resize(f.VScr->width(), 492);
    f.picDest->setGeometry(8, 0, ZoomWidth(f), 492);
    f.picDest->show();
    f.VScr->show();
    f.HScroll1->show();
    SetScrollRanges(f);
}

void TestScrolling::scrollBarKeepsZeroAtItsStart() {
    ScrollBar bar(Qt::Horizontal);
    QSignalSpy changes(&bar, &ScrollBar::Change);
    bar.setMax(-100);
    QCOMPARE(bar.Max(), -100);
    QCOMPARE(bar.minimum(), 0); // the slider's own range stays 0 … 100
    bar.setValue(-40);
    QCOMPARE(bar.Value(), -40);
    QCOMPARE(bar.sliderPosition(), 40); // 40 to the right of the start
    bar.setValue(-500);
    QCOMPARE(bar.Value(), -100);
    bar.setValue(20);
    QCOMPARE(bar.Value(), 0);
    QCOMPARE(changes.size(), 3);
    bar.setValue(0); // the same value raises nothing
    QCOMPARE(changes.size(), 3);
    bar.setMax(300);
    bar.setValue(250);
    changes.clear();
    bar.setMax(100); // the value drops to the new maximum, with a Change
    QCOMPARE(bar.Value(), 100);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0][0].toInt(), 100);
    bar.setMax(-50); // a value above a negative range falls to 0
    QCOMPARE(bar.Value(), 0);
}

void TestScrolling::rangesAndGeometry_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("hValue");
    QTest::addColumn<int>("vValue");
    QTest::newRow("larger than the view, at maxima") << QSize(1100, 1400) << 305 << 908;
    QTest::newRow("larger, in the middle") << QSize(1100, 1400) << 100 << 250;
    QTest::newRow("smaller, negative values") << QSize(400, 300) << -395 << -192;
    QTest::newRow("smaller, partly") << QSize(400, 300) << -50 << -10;
}

void TestScrolling::rangesAndGeometry() {
    QFETCH(QSize, picture);
    QFETCH(int, hValue);
    QFETCH(int, vValue);
    Browser b;
    b.addAds(1964, {0}, picture);
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    zoomLayout(f);
    QCOMPARE(ZoomWidth(f), 775);
    QCOMPARE(f.VScr->Max(), picture.height() - 492);
    QCOMPARE(f.HScroll1->Max(), picture.width() - 795);

    // Back and forth: the geometry depends only on the current values.
    for (int round = 0; round < 3; ++round) {
        f.HScroll1->setValue(hValue);
        f.VScr->setValue(vValue);
        QCOMPARE(f.picDest->geometry(), QRect(-hValue, -vValue, 775 + hValue, 492 + vValue));
        f.HScroll1->setValue(0);
        f.VScr->setValue(0);
        QCOMPARE(f.picDest->geometry(), QRect(0, 0, 775, 492));
    }
    f.HScroll1->setValue(hValue);
    f.VScr->setValue(vValue);
    // The right and bottom edges stay at the view's edges.
    QCOMPARE(f.picDest->geometry().right() + 1, 775);
    QCOMPARE(f.picDest->geometry().bottom() + 1, 492);
    if (vValue == f.VScr->Max()) // the picture's bottom row is the view's bottom row
        QCOMPARE(-vValue + picture.height(), 492);

    // What is drawn: picture column hValue at the window's left edge, grey
    // where the picture ends.
    const QImage shot = f.picDest->grab().toImage();
    const QImage pic = f.PicSrc->picture().toImage();
    QCOMPARE(shot.pixelColor(qMax(0, hValue) + 2, qMax(0, vValue) + 2),
             pic.pixelColor(qMax(0, hValue) + 2, qMax(0, vValue) + 2));
    if (picture.width() < f.picDest->width())
        QCOMPARE(shot.pixelColor(picture.width() + 3, 2), QColor(0x80, 0x80, 0x80));
}

void TestScrolling::draggingTheThumbMovesNothingUntilRelease() {
    Browser b;
    b.addAds(1964, {0}, QSize(1100, 1400));
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    zoomLayout(f);
    QSignalSpy scrolls(f.VScr, &ScrollBar::Scroll);
    f.VScr->setSliderDown(true);
    f.VScr->setSliderPosition(400);
    QCOMPARE(scrolls.size(), 1);
    QCOMPARE(f.picDest->y(), 0); // no action while dragging
    f.VScr->setSliderDown(false);
    QCOMPARE(f.VScr->Value(), 400);
    QCOMPARE(f.picDest->geometry(), QRect(8, -400, 775, 892));
}

void TestScrolling::arrowsAndTrackClicksScroll() {
    Browser b;
    b.addAds(1964, {0}, QSize(1100, 1400));
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    zoomLayout(f);
    // A click on the right arrow: one small step.
    QTest::mouseClick(f.HScroll1, Qt::LeftButton, {},
                      QPoint(f.HScroll1->width() - 4, f.HScroll1->height() / 2));
    QCOMPARE(f.HScroll1->Value(), f.HScroll1->singleStep());
    QCOMPARE(f.picDest->x(), -f.HScroll1->singleStep());
    // A click low in the track: one large step down.
    QTest::mouseClick(f.VScr, Qt::LeftButton, {}, QPoint(f.VScr->width() / 2, 400));
    QCOMPARE(f.VScr->Value(), f.VScr->pageStep());
    QCOMPARE(f.picDest->height(), 492 + f.VScr->pageStep());
}

QTEST_MAIN(TestScrolling)
#include "tst_scrolling.moc"
