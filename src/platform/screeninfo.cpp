#include "screeninfo.h"

#include "twips.h"

#include <QGuiApplication>
#include <QScreen>

double SystemScreen::widthTwips() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? double(s->size().width()) * TwipsPerPixel : 0.0;
}

double SystemScreen::heightTwips() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? double(s->size().height()) * TwipsPerPixel : 0.0;
}

QList<QRect> SystemScreen::screenRects() const {
    QList<QRect> rects;
    for (const QScreen* s : QGuiApplication::screens())
        rects << s->geometry();
    return rects;
}

QList<QRect> FixedScreen::screenRects() const {
    if (!m_rects.isEmpty())
        return m_rects;
    return {QRect(0, 0, qRound(m_w / TwipsPerPixel), qRound(m_h / TwipsPerPixel))};
}
