#include "copypanel.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "shell/appstate.h"
#include "shell/art.h"
#include "shell/form1.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace {

const QColor DarkBlue(0, 0, 128);

void setTextColor(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    w->setPalette(p);
}

QLabel* label(QWidget* parent, const QString& text, QRect rect, bool bold) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(rect);
    l->setFont(msSansSerif(8.25, bold));
    setTextColor(l, DarkBlue);
    return l;
}

Panel3D* gauge(QWidget* parent, QRect rect) {
    auto* g = new Panel3D(parent);
    g->setGeometry(rect);
    g->setFont(msSansSerif(8.25, true));
    g->setFloodPercent(0);
    g->setCaption(QStringLiteral("0"));
    return g;
}

Button3D* button(QWidget* parent, const QString& caption, QRect rect) {
    auto* b = new Button3D(caption, parent);
    b->setGeometry(rect);
    b->setFont(msSansSerif(8.25, true));
    return b;
}

void setGauge(Panel3D* g, int percent) {
    g->setFloodPercent(percent);
    g->setCaption(QString::number(g->floodPercent()));
}

} // namespace

CopyPanel::CopyPanel(Form1& form) : QObject(form.pnlProgress), m_form(form) {
    QWidget* panel = form.pnlProgress;
    Label2 = label(panel, QStringLiteral("Copy Ads from CD-ROM to hard drive"),
                   twipsRect(1560, 240, 4695, 375), true);
    Label1 = label(panel, QStringLiteral("Copying file:"), twipsRect(240, 600, 1215, 255), false);

    Text2 = new QLineEdit(panel);
    Text2->setGeometry(twipsRect(1440, 600, 5415, 255));
    Text2->setFont(msSansSerif(8.25));
    Text2->setReadOnly(true);
    Text2->setFrame(false);
    {
        QPalette p = Text2->palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, DarkBlue);
        Text2->setPalette(p);
    }

    Label1->setBuddy(Text2); // a screen reader names the file field by its label
    ProgressGuage = gauge(panel, twipsRect(360, 960, 6495, 375));

    Image3 = new StretchImage(panel);
    Image3->setGeometry(twipsRect(840, 1800, 5700, 1680));
    Image3->setPicture(
        QPixmap::fromImage(renderArt(QStringLiteral("copycar.svg"), QSize(354, 116))));
    Image3->setAccessibleName(QStringLiteral("Copying the ads"));

    ProgressGuage2 = gauge(panel, twipsRect(360, 3720, 6495, 375));

    cmdCopy = button(panel, QStringLiteral("Copy Ads"), twipsRect(360, 4320, 3255, 495));
    cmdCancel = button(panel, QStringLiteral("Cancel"), twipsRect(3600, 4320, 3255, 495));
}

void CopyPanel::setPanelVisible(bool visible) {
    m_form.pnlProgress->setVisible(visible);
}

void CopyPanel::setButtonsEnabled(bool enabled) {
    cmdCopy->setEnabled(enabled);
    cmdCancel->setEnabled(enabled);
}

void CopyPanel::setBusy(bool busy) {
    m_throttled = busy;
    if (busy) {
        m_form.installEventFilter(this);
        m_sincePush.invalidate();
    } else {
        m_form.removeEventFilter(this);
        pushProgress();
    }
    m_form.setEnabled(!busy);
}

void CopyPanel::showSource(const QString& path) {
    m_source = path;
    if (!m_throttled)
        pushProgress();
}

void CopyPanel::setFileGauge(int percent) {
    m_fileGauge = percent;
    // A finished file or run is always shown.
    if (!m_throttled || percent == 100)
        setGauge(ProgressGuage, percent);
}

void CopyPanel::setRunGauge(int percent) {
    m_runGauge = percent;
    if (!m_throttled || percent == 100)
        setGauge(ProgressGuage2, percent);
}

void CopyPanel::pushProgress() {
    // Setting the same text again would repaint the box for nothing.
    if (Text2->text() != m_source)
        Text2->setText(m_source);
    setGauge(ProgressGuage, m_fileGauge);
    setGauge(ProgressGuage2, m_runGauge);
}

void CopyPanel::doEvents() {
    // The values change with every block, but blocks come far faster than a
    // screen can show them: during a run the controls take the latest values
    // at most once per frame, so that painting does not slow the copy down.
    if (!m_sincePush.isValid() || m_sincePush.elapsed() >= PushIntervalMs) {
        pushProgress();
        m_sincePush.restart();
    }
    QCoreApplication::processEvents();
}

void CopyPanel::showProgress() {
    pushProgress();
    m_sincePush.restart();
}

bool CopyPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_form && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ShowCopyPanel(Form1& form) {
    const ScreenInfo& screen = *form.app().platform.screen;
    Panel3D* panel = form.pnlProgress;
    // Pixels of the main window's client area.
    const double left = (screen.widthTwips() / TwipsPerPixel - panel->width()) * 0.5;
    const double top = (screen.heightTwips() / TwipsPerPixel - panel->height()) * 0.5;
    panel->raise();
    panel->show();
    panel->move(int(std::lround(left)), int(std::lround(top)));
    form.copyPanel->cmdCopy->setFocus(Qt::OtherFocusReason);
}
