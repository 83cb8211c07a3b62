#pragma once

#include <QDialog>
#include <QPointer>

struct AppState;
class RichTextBox;
class Button3D;

// The document viewer: one rich-text document with an OK button and a print
// button, in a fixed tool window centred on the screen. Made afresh for each
// document and discarded when closed; closing enables the main window again.
class txtForm : public QDialog {
    Q_OBJECT
public:
    txtForm(AppState& app, QWidget* mainWindow);
    ~txtForm() override;

    AppState& app() const { return m_app; }

    RichTextBox* rtbText = nullptr;
    Button3D* SSCommand1 = nullptr; // "OK"
    Button3D* cmdprint = nullptr;   // prints the document

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void centreOnScreen(QSize outer);
    void centreOnceFramed();

    int m_frameChecks = 0;

    AppState& m_app;
    QPointer<QWidget> m_mainWindow;
};
