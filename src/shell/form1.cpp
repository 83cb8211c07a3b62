#include "form1.h"

#include "appstate.h"
#include "art.h"
#include "clock.h"
#include "exitsteps.h"
#include "platform/twips.h"
#include "shell_commands.h"
#include "startup.h"
#include "widgets/button3d.h"

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

// The outer measures, frame included, as the settings keep them; without a
// window manager the frame is empty and they are the window's own.
WindowTwips Form1::windowTwips() const {
    const QRect outer = frameGeometry();
    WindowTwips t;
    t.left = double(outer.x()) * TwipsPerPixel;
    t.top = double(outer.y()) * TwipsPerPixel;
    t.width = double(outer.width()) * TwipsPerPixel;
    t.height = double(outer.height()) * TwipsPerPixel;
    return t;
}

void Form1::setWindowTwips(const WindowTwips& t) {
    m_outer =
        QRect(qRound(t.left / TwipsPerPixel), qRound(t.top / TwipsPerPixel),
              qMax(1, qRound(t.width / TwipsPerPixel)), qMax(1, qRound(t.height / TwipsPerPixel)));
    applyOuterGeometry();
    // A window manager tells the frame only once the window is on the screen.
    m_outerPending = !hasFrame();
}

bool Form1::hasFrame() const {
    return frameGeometry().size() != size();
}

void Form1::applyOuterGeometry() {
    const QSize frame = frameGeometry().size() - size();
    move(m_outer.topLeft());
    resize(qMax(1, m_outer.width() - frame.width()), qMax(1, m_outer.height() - frame.height()));
}

// Once the frame is known, the outer measures asked for before are applied
// again with it, so that the frame is not added on top of them.
void Form1::settleOuterGeometry() {
    if (!m_outerPending || !isVisible() || !hasFrame())
        return;
    m_outerPending = false;
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    applyOuterGeometry();
}

void Form1::connectEvents() {
    connect(Timer1, &QTimer::timeout, this, [this] { UpdateClock(*this); });
    // The three exit routes all unload the window; unloading runs the exit steps.
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(SSCommand1, &QPushButton::clicked, this, &QWidget::close);
    connect(SSCommand2, &QPushButton::clicked, this, &QWidget::close);
    // Each subsystem wires the controls it serves.
    if (m_app.connectSubsystems)
        m_app.connectSubsystems(*this);
    ConnectShellCommands(*this);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    settleOuterGeometry();
    emit resized();
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    settleOuterGeometry();
}

void Form1::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    settleOuterGeometry();
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
