#pragma once

#include <QPixmap>
#include <QWidget>

// A picture box: draws its picture unscaled from its top-left corner, clipped,
// on its background colour. With auto-size it takes the picture's size.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    const QPixmap& picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    bool hasPicture() const { return !m_picture.isNull(); }
    void setAutoSize(bool on) { m_autoSize = on; }
    void setBackColor(const QColor& color);

signals:
    void doubleClicked();
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    bool m_autoSize = false;
};

// An image control: stretches its picture to fill its whole rectangle, width
// and height scaled independently, with smooth filtering.
// An image is drawn on its container's own surface, so every windowed sibling
// (button, panel, text box, picture box, scroll bar) lies above it whatever
// the order they were made or raised in; raising an image orders it among the
// images and labels only.
class StretchImage : public QWidget {
    Q_OBJECT
public:
    explicit StretchImage(QWidget* parent = nullptr);
    const QPixmap& picture() const { return m_picture; }
    // `stretched`, when given, is the picture already scaled to some size; it
    // is used while the control has that size.
    void setPicture(const QPixmap& picture, const QImage& stretched = QImage());

signals:
    void doubleClicked();
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void stayBelowWindowedSiblings();

    QPixmap m_picture;
    QPixmap m_scaled; // the picture at the current size, made once per size
};
