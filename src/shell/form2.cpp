#include "form2.h"

#include "art.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setFixedSize(twipsToPixels(9240), twipsToPixels(7185));

    SSPanel1 = new Panel3D(this);
    SSPanel1->setGeometry(twipsRect(0, 0, 9255, 7215));

    Picture2 = new PictureBox(SSPanel1);
    Picture2->setGeometry(twipsRect(360, 360, 8535, 5295));
    Picture2->setPicture(
        QPixmap::fromImage(renderArt(QStringLiteral("splash.svg"), QSize(600, 363))));

    SSPanel2 = new Panel3D(SSPanel1);
    SSPanel2->setGeometry(twipsRect(360, 5760, 8520, 1095));
    SSPanel2->setFont(arial(14.25, true));
    SSPanel2->setCaption(QStringLiteral("  Kestrun Ads - The Marketing of Ruzariz's Zephcar"));

    Label1 = new QLabel(QStringLiteral("v1.10"), SSPanel2);
    Label1->setGeometry(twipsRect(7680, 480, 495, 255));
    Label1->setFont(msSansSerif(8.25, true));

    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(3000);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer); // three seconds, not "about three"
    connect(Timer1, &QTimer::timeout, this, &Form2::finished);
    Timer1->start();
}
