#pragma once

#include <QWidget>

class QTextBrowser;
class QPushButton;

// The help window: the help file's topics in a browser, with a way back to
// the contents and through the topics seen.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Loads the help file; a file that cannot be read is said so in the window.
    void openFile(const QString& helpFile);
    // The file's first topic, its contents.
    void showContents();

    QString helpFile() const { return m_file; }
    QTextBrowser* browser() const { return m_browser; }

    static const QString ContentsTopic;

private:
    QString m_file;
    bool m_readable = false;
    QTextBrowser* m_browser = nullptr;
    QPushButton* m_contents = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
};
