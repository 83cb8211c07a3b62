// The main window's controls at their designed places (twips ÷ 15 = pixels).
#include "form1.h"

#include "art.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/spinbutton.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// Caption colours of the year buttons, in runs of years.
QColor yearColor(int index) {
    if (index <= 9)
        return QColor(0, 0, 192);
    if (index <= 14)
        return QColor(255, 0, 0);
    if (index <= 29)
        return QColor(0, 128, 0);
    if (index <= 34)
        return QColor(128, 0, 128);
    return QColor(0, 0, 0);
}

Button3D* button(QWidget* parent, const QString& caption, QRect rect, bool enabled, bool visible) {
    auto* b = new Button3D(caption, parent);
    b->setGeometry(rect);
    b->setFont(msSansSerif(8.25, true));
    b->setEnabled(enabled);
    b->setVisible(visible);
    return b;
}

Panel3D* panel(QWidget* parent, QRect rect, const QString& caption, bool visible) {
    auto* p = new Panel3D(parent);
    p->setGeometry(rect);
    p->setCaption(caption);
    p->setFont(msSansSerif(8.25, true));
    p->setVisible(visible);
    return p;
}

// The counter may take the focus (after Wide it is next in line), but it is a
// display: its text is never shown selected when the focus arrives.
class NoSelectionOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(static_cast<QLineEdit*>(watched), &QLineEdit::deselect,
                                      Qt::QueuedConnection);
        return false;
    }
};

} // namespace

void Form1::buildControls() {
    QWidget* c = m_client;

    SSPanel2 = panel(c, twipsRect(120, 0, 4455, 7335), QString(), true);
    for (int i = 0; i < 36; ++i) {
        const QRect r = twipsRect(360 + 1320 * (i / 13), 240 + 480 * (i % 13), 1095, 495);
        cmdYear[i] = button(SSPanel2, QString::number(1964 + i), r, true, true);
        cmdYear[i]->setCaptionColor(yearColor(i));
    }
    cmdYear[0]->setToolTip(QStringLiteral(
        "Click a Year button to view advertisements that were published that year."));
    cmdWide =
        button(SSPanel2, QStringLiteral("Wide"), twipsRect(360, 6600, 1095, 495), false, true);
    cmdZoom =
        button(SSPanel2, QStringLiteral("Zoom In"), twipsRect(1680, 6600, 1095, 495), false, true);
    cmdZoom->setToolTip(QStringLiteral(
        "Click here to \"zoom in\" and \"zoom out\"  on the ad for a better view.."));
    SSCommand2 =
        button(SSPanel2, QStringLiteral("Exit"), twipsRect(3000, 6600, 1095, 510), false, true);

    Image1 = new StretchImage(c);
    Image1->setGeometry(twipsRect(4920, 0, 6645, 8325));
    Image1->setPicture(QPixmap::fromImage(renderArt(QStringLiteral("cover.svg"), QSize(475, 555))));
    Image1->setEnabled(false);
    Image1->setAccessibleName(QStringLiteral("Kestrun Ads cover"));

    picDest = new PictureBox(c);
    picDest->setGeometry(twipsRect(2760, 360, 855, 855));
    picDest->setBackColor(QColor(0x80, 0x80, 0x80));
    picDest->setToolTip(
        QStringLiteral("Double click on the ad image to \"zoom in\" and \"zoom out\"."));
    picDest->hide();

    PicSrc = new PictureBox(c);
    PicSrc->setGeometry(twipsRect(3840, 2520, 360, 1170));
    PicSrc->setAutoSize(true);
    PicSrc->hide();

    HScroll1 = new ScrollBar(Qt::Horizontal, c);
    HScroll1->setGeometry(twipsRect(4710, 7560, 7215, 270));
    VScr = new ScrollBar(Qt::Vertical, c);
    VScr->setGeometry(twipsRect(11640, 0, 270, 7935));
    VScr->setToolTip(QStringLiteral("Scroll up and down an ad when in \"zoom in\" mode."));
    HScroll1->setAccessibleName(QStringLiteral("Scroll the ad across"));
    VScr->setAccessibleName(QStringLiteral("Scroll the ad up and down"));
    for (ScrollBar* s : {HScroll1, VScr}) {
        s->setMax(0);
        s->setSingleStep(16);
        s->setPageStep(128);
        s->hide();
    }

    SpinButton1 = new SpinButton(c);
    SpinButton1->setGeometry(twipsRect(4800, 7920, 855, 360));
    SpinButton1->setToolTip(
        QStringLiteral("Selects backward and forward through multiple ads if present. "));
    SpinButton1->hide();

    Text1 = new QLineEdit(QStringLiteral("Text1"), c);
    Text1->setGeometry(twipsRect(5640, 7920, 975, 375));
    Text1->setFont(designFont(QStringLiteral("Arial Black"), 9));
    // The counter only displays; keys that reach it must not rewrite it.
    Text1->setReadOnly(true);
    Text1->installEventFilter(new NoSelectionOnFocus(Text1));
    // A screen reader reads the counter ("2 of 5") as its name.
    connect(Text1, &QLineEdit::textChanged, Text1, &QWidget::setAccessibleName);
    {
        QPalette p = Text1->palette();
        p.setColor(QPalette::Text, QColor(0, 128, 0));
        Text1->setPalette(p);
    }
    Text1->setToolTip(QStringLiteral("Displays the number of the ad for years in which there are "
                                     "mor than one ad for a particular Make."));
    Text1->hide();

    panText3 = panel(c, twipsRect(5640, 7200, 1125, 375), QString(), false);
    panParent = panel(c, twipsRect(6570, 7920, 2175, 345), QString(), false);
    panParent->setToolTip(QStringLiteral("Identifies the ad which is being displayed."));

    cmdZoomOut =
        button(c, QStringLiteral("Zoom Out"), twipsRect(10080, 7920, 1215, 375), true, false);
    SSCommand5 = button(c, QStringLiteral("Wide"), twipsRect(9000, 7920, 1095, 375), true, false);
    SSCommand1 = button(c, QStringLiteral("Exit"), twipsRect(11280, 7920, 615, 375), true, false);

    PnlCoStar =
        panel(c, twipsRect(120, 7920, 4455, 375),
              QStringLiteral("Kestrun Ads - The Marketing of Ruzariz's Zephcar v1.10"), true);
    PnlCoStar->setFont(arial(8));

    StatusDay = panel(c, twipsRect(120, 7560, 1455, 375), QStringLiteral("StatusDay"), true);
    StatusDate = panel(c, twipsRect(1560, 7560, 1575, 375), QStringLiteral("StatusDate"), true);
    StatusTime = panel(c, twipsRect(3120, 7560, 1455, 375), QStringLiteral("StatusTime"), true);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);

    pnlProgress = panel(c, twipsRect(4320, 840, 7290, 5175), QString(), false);
    pnlProgress->raise();
}
