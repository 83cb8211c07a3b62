#include "helpwindow.h"

#include "shell/art.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

const QString HelpWindow::ContentsTopic = QStringLiteral("contents");

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kestrun Ads Help"));
    setWindowIcon(programIcon());
    m_browser = new QTextBrowser(this);
    // Links lead to other topics of the file only; the browser is never started from here.
    m_browser->setOpenExternalLinks(false);
    m_contents = new QPushButton(QStringLiteral("Contents"), this);
    m_back = new QPushButton(QStringLiteral("Back"), this);
    m_forward = new QPushButton(QStringLiteral("Forward"), this);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(560, 480);

    connect(m_contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
}

void HelpWindow::openFile(const QString& helpFile) {
    m_file = helpFile;
    const QFileInfo info(helpFile);
    m_readable = info.isFile() && info.isReadable();
    if (!m_readable) {
        m_browser->clearHistory();
        m_browser->setHtml(QStringLiteral("<h3>Help is not available</h3>"
                                          "<p>The help file could not be read:</p><p>%1</p>")
                               .arg(helpFile.toHtmlEscaped()));
    }
}

void HelpWindow::showContents() {
    if (!m_readable)
        return;
    QUrl url = QUrl::fromLocalFile(m_file);
    url.setFragment(ContentsTopic);
    // The file is HTML whatever its name says.
    m_browser->setSource(url, QTextDocument::HtmlResource);
}
