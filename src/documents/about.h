#pragma once

#include <QPoint>
#include <QWidget>

struct AppState;
struct WindowTwips;
class Form1;
class Panel3D;
class StretchImage;
class PictureBox;
class Button3D;

// The about box: borderless and light grey. While it is open the main window
// takes no input; however the box is closed, the main window is enabled again.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    frmAbout(AppState& app, Form1& main);

    // Client area in twips.
    static constexpr int WidthTwips = 9375;
    static constexpr int HeightTwips = 6975;

    Panel3D* SSPanel3 = nullptr; // frame of the upper picture
    StretchImage* Image1 = nullptr;
    Panel3D* panAbout = nullptr; // frame of the lower half
    Panel3D* SSPanel6 = nullptr;
    Panel3D* SSPanel5 = nullptr;
    Panel3D* SSPanel1 = nullptr;
    Panel3D* SSPanel4 = nullptr;
    PictureBox* Picture2 = nullptr; // the maker's logo
    Button3D* SSCommand1 = nullptr; // "OK"
    Panel3D* SSPanel2 = nullptr;    // the maker's rights notice
    Panel3D* panQuillon = nullptr;  // the maker's name and address
    Button3D* SSCommand2 = nullptr; // the maker's home page

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void SSCommand1_Click();
    void SSCommand2_Click();

    AppState& m_app;
    Form1& m_main;
};

// The maker's lines in the about box.
inline const QString QuillonRights = QStringLiteral("\u00A9 1999 Quillon Software");
inline const QString QuillonStreet = QStringLiteral("2140 Larkspur Avenue");
inline const QString QuillonTown = QStringLiteral(" Fernbrook, WM 00000");

// The about box's top-left corner in pixels of the screen: centred on a
// rectangle of the main window's size (twips) placed at the screen's top-left
// corner, not over the main window. Where that would put part of the box off
// the screen (a main window much smaller or larger than the box) it is moved
// onto the screen, so that its buttons stay in reach.
QPoint AboutBoxPosition(const WindowTwips& main, const QRect& screen);

// Help ▸ "About": a new about box, shown modeless; one that is open is raised.
frmAbout* ShowAbout(AppState& app, Form1& main);
