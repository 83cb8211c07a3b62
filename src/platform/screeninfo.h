#pragma once

#include <QList>
#include <QRect>

// The screen as the program measures it: the primary screen's size in twips
// (15 per pixel) and the rectangles of all screens in pixels.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    virtual double widthTwips() const = 0;
    virtual double heightTwips() const = 0;
    virtual QList<QRect> screenRects() const = 0;
};

class SystemScreen : public ScreenInfo {
public:
    double widthTwips() const override;
    double heightTwips() const override;
    QList<QRect> screenRects() const override;
};

// A screen of a fixed size, for tests and for machines without one.
class FixedScreen : public ScreenInfo {
public:
    FixedScreen(double widthTwips, double heightTwips, QList<QRect> rects = {})
        : m_w(widthTwips), m_h(heightTwips), m_rects(std::move(rects)) {}
    double widthTwips() const override { return m_w; }
    double heightTwips() const override { return m_h; }
    QList<QRect> screenRects() const override;

private:
    double m_w, m_h;
    QList<QRect> m_rects;
};
