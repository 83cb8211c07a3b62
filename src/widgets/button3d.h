#pragma once

#include <QPushButton>

class QKeyEvent;

// The 3-D command button: a push button with a caption colour of its own.
class Button3D : public QPushButton {
    Q_OBJECT
public:
    explicit Button3D(const QString& caption, QWidget* parent = nullptr);
    void setCaptionColor(const QColor& color);
    QColor captionColor() const;

signals:
    // Key-down while the button has the focus, with the key's virtual code.
    void keyDown(int keyCode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The virtual key code the original platform reports for a key: letters and
// digits as their upper-case character, comma 188, period 190, and so on.
int virtualKeyCode(int qtKey);

// True for the keys that are no button's own: modifiers pressed alone, keys
// pressed with Alt or Ctrl held, F10 and the Menu key.
bool reachesForMenuOrModifies(const QKeyEvent& event);
