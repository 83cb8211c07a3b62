#pragma once

#include <QWidget>

class QToolButton;

// A spin button of two arrows side by side; each arrow raises its own signal,
// once per click and repeatedly while held.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);
    QToolButton* downArrow() const { return m_down; }
    QToolButton* upArrow() const { return m_up; }

signals:
    void SpinDown();
    void SpinUp();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_down;
    QToolButton* m_up;
};
