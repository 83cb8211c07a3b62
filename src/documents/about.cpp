#include "about.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "shell/appstate.h"
#include "shell/art.h"
#include "shell/form1.h"
#include "shell/startup.h"
#include "weblinks.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace {

// A 3-D panel whose caption is several lines joined by CR LF, each centred.
class LinesPanel : public Panel3D {
public:
    using Panel3D::Panel3D;

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        const QStringList lines = caption().split(CRLF);
        const int lineHeight = p.fontMetrics().lineSpacing();
        const QRect inner = contentsRect();
        int y = inner.top() + (inner.height() - lineHeight * int(lines.size())) / 2;
        for (const QString& line : lines) {
            p.drawText(QRect(inner.left(), y, inner.width(), lineHeight), Qt::AlignCenter, line);
            y += lineHeight;
        }
    }
};

Panel3D* panel(QWidget* parent, QRect rect, const QString& caption, const QFont& font) {
    auto* p = new Panel3D(parent);
    p->setGeometry(rect);
    p->setCaption(caption);
    p->setFont(font);
    return p;
}

QFont boldItalic(QFont f) {
    f.setItalic(true);
    return f;
}

// The designed font, made smaller where the fonts at hand set the text wider
// than its control: a caption is never cut off.
QFont fitted(QFont font, const QStringList& lines, int width) {
    const int room = width - 8;
    for (;;) {
        const QFontMetrics fm(font);
        int widest = 0;
        for (const QString& line : lines)
            widest = qMax(widest, fm.horizontalAdvance(line));
        if (widest <= room || font.pointSizeF() <= 6)
            return font;
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
}

void fitCaption(Panel3D* panel) {
    panel->setFont(fitted(panel->font(), panel->caption().split(CRLF), panel->width()));
}

void fitCaption(QPushButton* button) {
    button->setFont(fitted(button->font(), {button->text()}, button->width()));
}

} // namespace

frmAbout::frmAbout(AppState& app, Form1& main)
    : QWidget(&main, Qt::Window | Qt::FramelessWindowHint), m_app(app), m_main(main) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(twipsToPixels(WidthTwips), twipsToPixels(HeightTwips));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);
    buildControls();
    Form_Load();
}

void frmAbout::buildControls() {
    const QFont plainBold = msSansSerif(8.25, true);

    SSPanel3 = panel(this, twipsRect(0, 0, 9375, 4815), QString(), plainBold);
    Image1 = new StretchImage(SSPanel3);
    Image1->setGeometry(twipsRect(240, 240, 8895, 4425));
    Image1->setPicture(QPixmap::fromImage(renderArt(QStringLiteral("about.svg"), QSize(620, 335))));
    Image1->setAccessibleName(QStringLiteral("Kestrun Ads"));

    panAbout = panel(this, twipsRect(0, 4800, 9375, 2175), QString(), plainBold);
    SSPanel6 = panel(panAbout, twipsRect(720, 240, 2655, 600), QStringLiteral("Kestrun Ads"),
                     boldItalic(arial(26.24, true)));
    SSPanel5 = panel(panAbout, twipsRect(840, 840, 2175, 360), QStringLiteral("The Marketing of"),
                     boldItalic(msSansSerif(12, true)));
    SSPanel1 = panel(panAbout, twipsRect(720, 1200, 2415, 360), QStringLiteral("Ruzariz's Zephcar"),
                     boldItalic(msSansSerif(12, true)));
    SSPanel4 = panel(panAbout, twipsRect(1560, 1560, 615, 240), QStringLiteral("v1.10"),
                     msSansSerif(8.24, true));

    Picture2 = new PictureBox(panAbout);
    Picture2->setGeometry(twipsRect(3600, 240, 2415, 1215));
    Picture2->setBackColor(Qt::white);
    Picture2->setPicture(
        QPixmap::fromImage(renderArt(QStringLiteral("quillon.svg"), QSize(165, 82))));
    Picture2->setAccessibleName(QStringLiteral("Quillon Software"));

    SSCommand1 = new Button3D(QStringLiteral("OK"), panAbout);
    SSCommand1->setGeometry(twipsRect(3600, 1560, 2400, 375));
    SSCommand1->setFont(plainBold);

    SSPanel2 = panel(panAbout, twipsRect(6240, 240, 2655, 360), QString(), plainBold);
    panQuillon = new LinesPanel(panAbout);
    panQuillon->setGeometry(twipsRect(6240, 600, 2655, 735));
    panQuillon->setFont(plainBold);

    SSCommand2 = new Button3D(QuillonHomePage, panAbout);
    SSCommand2->setGeometry(twipsRect(6240, 1560, 2700, 375));
    SSCommand2->setFont(plainBold);
    SSCommand2->setToolTip(QStringLiteral("Opens the Quillon Software home page in your browser."));

    connect(SSCommand1, &QPushButton::clicked, this, &frmAbout::SSCommand1_Click);
    connect(SSCommand2, &QPushButton::clicked, this, &frmAbout::SSCommand2_Click);
}

void frmAbout::Form_Load() {
    // Only the about box takes input; as a window of its own it stays enabled.
    m_main.setEnabled(false);
    setEnabled(true);
    const auto screens = m_app.platform.screen->screenRects();
    const QRect screen = screens.isEmpty() ? QRect() : screens.first();
    move(AboutBoxPosition(m_main.windowTwips(), screen));
    panQuillon->setCaption(QStringLiteral("Quillon Software") + CRLF + QuillonStreet + CRLF +
                           QuillonTown);
    SSPanel2->setCaption(QuillonRights);
    for (Panel3D* p : {SSPanel6, SSPanel5, SSPanel1, SSPanel4, SSPanel2, panQuillon})
        fitCaption(p);
    for (QPushButton* b : {SSCommand1, SSCommand2})
        fitCaption(b);
    SSCommand1->setFocus();
}

void frmAbout::SSCommand1_Click() {
    m_main.setEnabled(true);
    close();
}

void frmAbout::SSCommand2_Click() {
    OpenWebPage(m_app, QuillonHomePage);
    m_main.setEnabled(true);
    close();
}

void frmAbout::closeEvent(QCloseEvent* event) {
    // Every way out (OK, the web button, Escape, the window-close key) leaves
    // the main window usable.
    m_main.setEnabled(true);
    event->accept();
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        (SSCommand2->hasFocus() ? SSCommand2 : SSCommand1)->click();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

QPoint AboutBoxPosition(const WindowTwips& main, const QRect& screen) {
    const double left = (main.width - frmAbout::WidthTwips) / 2;
    const double top = (main.height - frmAbout::HeightTwips) / 2;
    QPoint at(qRound(left / TwipsPerPixel), qRound(top / TwipsPerPixel));
    if (screen.isValid()) {
        const QSize box(twipsToPixels(frmAbout::WidthTwips), twipsToPixels(frmAbout::HeightTwips));
        at.setX(qMax(screen.left(), qMin(at.x(), screen.right() + 1 - box.width())));
        at.setY(qMax(screen.top(), qMin(at.y(), screen.bottom() + 1 - box.height())));
    }
    return at;
}

frmAbout* ShowAbout(AppState& app, Form1& main) {
    if (auto* open = main.findChild<frmAbout*>(QString(), Qt::FindDirectChildrenOnly)) {
        open->raise();
        open->activateWindow();
        return open;
    }
    auto* box = new frmAbout(app, main);
    box->show();
    box->activateWindow();
    return box;
}
