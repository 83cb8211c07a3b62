#include "txtform.h"

#include "document_print.h"
#include "platform/twips.h"
#include "printericon.h"
#include "richtextbox.h"
#include "shell/appstate.h"
#include "widgets/button3d.h"

#include <QPalette>
#include <QTimer>
#include <QWindow>

txtForm::txtForm(AppState& app, QWidget* mainWindow)
    : QDialog(nullptr), m_app(app), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("txtForm"));
    // A fixed tool window: small title bar with a close box only, not in the taskbar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(7965), twipsToPixels(6690));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Active, QPalette::Highlight));
    setPalette(pal);
    setAutoFillBackground(true);

    rtbText = new RichTextBox(this);
    rtbText->setObjectName(QStringLiteral("rtbText"));
    rtbText->setGeometry(twipsRect(120, 120, 7695, 6015));
    SSCommand1 = new Button3D(QStringLiteral("OK"), this);
    SSCommand1->setObjectName(QStringLiteral("SSCommand1"));
    SSCommand1->setGeometry(twipsRect(120, 6240, 6255, 375));
    cmdprint = new Button3D(QString(), this);
    cmdprint->setObjectName(QStringLiteral("cmdprint"));
    cmdprint->setGeometry(twipsRect(7440, 6240, 375, 375));
    cmdprint->setIcon(printerPicture());
    cmdprint->setIconSize(QSize(16, 16));
    cmdprint->setToolTip(QStringLiteral("Print"));
    cmdprint->setAccessibleName(QStringLiteral("Print"));

    connect(SSCommand1, &QPushButton::clicked, this, &QDialog::accept);
    connect(rtbText, &RichTextBox::DblClick, this, &QDialog::accept);
    connect(cmdprint, &QPushButton::clicked, this, [this] { PrintViewerDocument(m_app, *this); });
    Form_Load();
}

txtForm::~txtForm() = default;

void txtForm::Form_Load() {
    centreOnScreen(frameGeometry().size());
    // OK reaches to 4 pixels left of the print button.
    SSCommand1->resize(rtbText->width() - cmdprint->width() - 4, SSCommand1->height());
}

// Centred on the screen by its outer size, in twips.
void txtForm::centreOnScreen(QSize outer) {
    const double left =
        (m_app.platform.screen->widthTwips() - double(outer.width()) * TwipsPerPixel) / 2;
    const double top =
        (m_app.platform.screen->heightTwips() - double(outer.height()) * TwipsPerPixel) / 2;
    move(qRound(left / TwipsPerPixel), qRound(top / TwipsPerPixel));
}

void txtForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Before it is on screen the window has no frame, so the outer size was
    // the inner one; a window manager's frame arrives a moment later.
    m_frameChecks = 50;
    centreOnceFramed();
}

void txtForm::centreOnceFramed() {
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (!frame.isNull()) {
        centreOnScreen(size().grownBy(frame));
        m_frameChecks = 0;
        return;
    }
    if (--m_frameChecks > 0)
        QTimer::singleShot(20, this, &txtForm::centreOnceFramed);
}

void txtForm::done(int result) {
    // OK, a double-click in the text, the close box and Escape all unload the viewer.
    QDialog::done(result);
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
}
