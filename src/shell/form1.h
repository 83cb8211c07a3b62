#pragma once

#include <QMainWindow>
#include <QRect>
#include <array>

struct AppState;
struct WindowTwips;
class Panel3D;
class Button3D;
class StretchImage;
class PictureBox;
class SpinButton;
class ScrollBar;
class QLineEdit;
class QTimer;
class QMenu;
class QAction;
struct CopyPanel;
class AdLookAhead;

// The main window. Controls carry the names the rest of the program uses;
// positions are pixels of the client area (below the menu bar).
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(AppState& app, QWidget* parent = nullptr);
    ~Form1() override;

    AppState& app() const { return m_app; }
    QWidget* client() const { return m_client; }

    // The window's outer measures in twips (frame included when a window
    // manager draws one), as the settings store keeps them.
    WindowTwips windowTwips() const;
    void setWindowTwips(const WindowTwips& rect);

    // Year panel and its buttons.
    Panel3D* SSPanel2 = nullptr;
    std::array<Button3D*, 36> cmdYear{};
    Button3D* cmdWide = nullptr;
    Button3D* cmdZoom = nullptr;
    Button3D* SSCommand2 = nullptr;

    // Ad view.
    StretchImage* Image1 = nullptr;
    PictureBox* picDest = nullptr;
    PictureBox* PicSrc = nullptr;
    ScrollBar* HScroll1 = nullptr;
    ScrollBar* VScr = nullptr;

    // Stepping row and bottom row.
    SpinButton* SpinButton1 = nullptr;
    QLineEdit* Text1 = nullptr;
    Panel3D* panText3 = nullptr;
    Panel3D* panParent = nullptr;
    Button3D* cmdZoomOut = nullptr;
    Button3D* SSCommand5 = nullptr;
    Button3D* SSCommand1 = nullptr;
    Panel3D* PnlCoStar = nullptr;

    // Clock panels and their timer.
    Panel3D* StatusDay = nullptr;
    Panel3D* StatusDate = nullptr;
    Panel3D* StatusTime = nullptr;
    QTimer* Timer1 = nullptr;

    // Ads decoded ahead of time; made by the catalogue.
    AdLookAhead* lookAhead = nullptr;

    // Copy panel; its controls are made by the store.
    Panel3D* pnlProgress = nullptr;
    CopyPanel* copyPanel = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuRemove = nullptr;
    QAction* mnuDash1 = nullptr;
    QAction* mnuClip = nullptr;
    QAction* mnuDash2 = nullptr;
    QAction* mnuResolution = nullptr;
    QAction* mnuDash4 = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuSetup = nullptr;
    QAction* mnuDash3 = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuList = nullptr;
    QAction* mnuHideStatus = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuLine3 = nullptr;
    QAction* mnuQuillonSoftware = nullptr;
    QAction* mnuRegisterOL = nullptr;
    QAction* mnuRegister = nullptr;
    QAction* mnuLine4 = nullptr;
    QAction* mnuNotice = nullptr;
    QAction* mnuLine2 = nullptr;
    QAction* mnuAbout = nullptr;
    QMenu* mnuCopyPrint = nullptr;          // the ad's pop-up menu, never on the bar
    std::array<QAction*, 3> mnuPrintCopy{}; // items 1 and 2; 0 is unused

signals:
    // Any change of the window's size or state (minimise, maximise, restore).
    void resized();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectEvents();

    bool hasFrame() const;
    void applyOuterGeometry();
    void settleOuterGeometry();

    AppState& m_app;
    QWidget* m_client = nullptr;
    QRect m_outer;               // outer measures last asked for, pixels
    bool m_outerPending = false; // asked for before the frame was known
};
