#pragma once

#include <QScrollBar>

// A scroll bar whose minimum stays 0 while its maximum may be negative: the
// value then runs from 0 at the left (top) end to the maximum at the other end.
// Change is raised for every new value except while the thumb is dragged
// (then Scroll), and once more when the thumb is released.
class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    int Max() const { return m_max; }
    int Value() const { return m_value; }
    // A value outside the range moves to its nearest end; changing the range
    // may move the value, and then raises Change.
    void setMax(int max);
    void setValue(int value);

signals:
    void Change(int value);
    void Scroll(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fromSlider(int position);
    void apply(int value, bool notify);

    int m_max = 0;
    int m_value = 0;
};
