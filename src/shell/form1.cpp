#include "form1.h"

#include "appstate.h"
#include "art.h"
#include "catalogue/catalogue_events.h"
#include "clock.h"
#include "documents/document_events.h"
#include "exitsteps.h"
#include "platform/button3d.h"
#include "platform/twips.h"
#include "shell_commands.h"
#include "startup.h"
#include "store/store_events.h"
#include "view/view_events.h"

#include <QCloseEvent>
#include <QTimer>

Form1::Form1(AppState& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(MainCaption);
    setWindowIcon(programIcon());
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    buildControls();
    buildMenus();
    connectEvents();
    // The designed client area, until the load step sizes the window.
    resize(twipsToPixels(12060), twipsToPixels(7680));
    Timer1->start();
    UpdateClock(*this);
}

Form1::~Form1() = default;

WindowTwips Form1::windowTwips() const {
    WindowTwips t;
    t.left = double(x()) * TwipsPerPixel;
    t.top = double(y()) * TwipsPerPixel;
    t.width = double(width()) * TwipsPerPixel;
    t.height = double(height()) * TwipsPerPixel;
    return t;
}

void Form1::setWindowTwips(const WindowTwips& t) {
    move(qRound(t.left / TwipsPerPixel), qRound(t.top / TwipsPerPixel));
    resize(qMax(1, qRound(t.width / TwipsPerPixel)), qMax(1, qRound(t.height / TwipsPerPixel)));
}

void Form1::connectEvents() {
    connect(Timer1, &QTimer::timeout, this, [this] { UpdateClock(*this); });
    // The three exit routes all unload the window; unloading runs the exit steps.
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(SSCommand1, &QPushButton::clicked, this, &QWidget::close);
    connect(SSCommand2, &QPushButton::clicked, this, &QWidget::close);
    // Each subsystem wires the controls it serves.
    ConnectCatalogueEvents(*this);
    ConnectViewEvents(*this);
    ConnectStoreEvents(*this);
    ConnectDocumentEvents(*this);
    ConnectShellCommands(*this);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    emit resized();
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        emit resized();
}

void Form1::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    RunExitSteps(m_app, *this);
    event->accept();
}
