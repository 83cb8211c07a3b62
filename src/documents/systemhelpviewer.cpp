#include "systemhelpviewer.h"

#include "helpwindow.h"
#include "platform/platform.h"

SystemHelpViewer::~SystemHelpViewer() {
    delete m_window;
}

HelpWindow* SystemHelpViewer::window() const {
    return m_window;
}

void SystemHelpViewer::ShowHelp(const QString& helpFile, int command) {
    if (!m_window) {
        m_window = new HelpWindow;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_window->openFile(helpFile);
    if (command == Contents)
        m_window->showContents();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

HelpViewer& helpViewer(Platform& platform) {
    if (!platform.helpViewer)
        platform.helpViewer = std::make_shared<SystemHelpViewer>();
    return *platform.helpViewer;
}
