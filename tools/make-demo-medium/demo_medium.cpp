#include "demo_medium.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace demo {

namespace {

constexpr int kFirstYear = 1964;
constexpr int kLastYear = 1999;
constexpr int kYearWithoutAds = 1970;

const char* const kCopyLines[] = {
    "More room for the family, less thirst for fuel.",
    "Built by Ruzariz craftsmen who drive what they build.",
    "A quiet cabin that turns every trip into a holiday.",
    "New brakes that stop as surely as they look good.",
    "Four doors, five seats and a boot for the whole weekend.",
    "Ask your Ruzariz dealer for a test drive today.",
    "The engine purrs at sixty and whispers at ninety.",
    "Rust-proofed body, guaranteed for six long winters.",
    "Choose from eleven colours and three trim levels.",
    "Heated seats and a radio as standard equipment.",
};
constexpr int kCopyLineCount = int(std::size(kCopyLines));

const char* const kTaglines[] = {
    "Coup\u00e9, Saloon or Estate", "Drive the difference", "Made to go the distance",
    "Comfort you can measure",      "The sensible thrill",
};
constexpr int kTaglineCount = int(std::size(kTaglines));

QFont adFont(qreal pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(6, int(std::lround(pixelSize))));
    font.setBold(bold);
    return font;
}

// Shrinks a font until the text fits the width, so long headlines stay on the page.
QFont fittedFont(const QString& text, qreal pixelSize, bool bold, qreal maxWidth) {
    QFont font = adFont(pixelSize, bold);
    while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(text) > maxWidth)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// Draws a side view of the car inside box, facing right.
void drawCar(QPainter& p, const QRectF& box, const QColor& paint, int year) {
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal x = box.left();
    const qreal y = box.top();
    // Later model years get a lower, longer cabin.
    const qreal era = (year - kFirstYear) / qreal(kLastYear - kFirstYear);
    const qreal roof = y + h * (0.12 + 0.12 * era);
    const qreal beltLine = y + h * 0.48;
    const qreal sill = y + h * 0.80;
    const qreal wheelR = h * 0.16;

    // Ground shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QRectF(x + w * 0.04, sill + wheelR * 0.7, w * 0.92, h * 0.1));

    // Cabin with windows.
    QPolygonF cabin;
    cabin << QPointF(x + w * 0.22, beltLine) << QPointF(x + w * (0.32 - 0.04 * era), roof)
          << QPointF(x + w * (0.64 + 0.04 * era), roof) << QPointF(x + w * 0.78, beltLine);
    p.setBrush(paint.darker(115));
    p.setPen(QPen(paint.darker(170), std::max(1.0, h * 0.012)));
    p.drawPolygon(cabin);

    const qreal inset = h * 0.04;
    const qreal pillar = x + w * 0.50;
    QPolygonF rear;
    rear << QPointF(x + w * 0.22 + inset * 1.8, beltLine - inset * 0.5)
         << QPointF(x + w * (0.32 - 0.04 * era) + inset, roof + inset)
         << QPointF(pillar - inset * 0.5, roof + inset)
         << QPointF(pillar - inset * 0.5, beltLine - inset * 0.5);
    QPolygonF front;
    front << QPointF(pillar + inset * 0.5, beltLine - inset * 0.5)
          << QPointF(pillar + inset * 0.5, roof + inset)
          << QPointF(x + w * (0.64 + 0.04 * era) - inset, roof + inset)
          << QPointF(x + w * 0.78 - inset * 1.8, beltLine - inset * 0.5);
    QLinearGradient glass(0, roof, 0, beltLine);
    glass.setColorAt(0, QColor(200, 225, 245));
    glass.setColorAt(1, QColor(120, 160, 200));
    p.setBrush(glass);
    p.setPen(Qt::NoPen);
    p.drawPolygon(rear);
    p.drawPolygon(front);

    // Body.
    QPainterPath body;
    body.addRoundedRect(QRectF(x, beltLine, w, sill - beltLine), h * 0.08, h * 0.08);
    QLinearGradient shine(0, beltLine, 0, sill);
    shine.setColorAt(0, paint.lighter(135));
    shine.setColorAt(0.5, paint);
    shine.setColorAt(1, paint.darker(140));
    p.setBrush(shine);
    p.setPen(QPen(paint.darker(170), std::max(1.0, h * 0.012)));
    p.drawPath(body);

    // Chrome strip, door line, handle, lights and bumpers.
    p.setPen(QPen(QColor(230, 230, 235), std::max(1.0, h * 0.015)));
    p.drawLine(QPointF(x + w * 0.03, beltLine + (sill - beltLine) * 0.45),
               QPointF(x + w * 0.97, beltLine + (sill - beltLine) * 0.45));
    p.setPen(QPen(paint.darker(180), std::max(1.0, h * 0.008)));
    p.drawLine(QPointF(pillar, beltLine + h * 0.02), QPointF(pillar, sill - h * 0.02));
    p.drawLine(QPointF(pillar + w * 0.04, beltLine + h * 0.08),
               QPointF(pillar + w * 0.08, beltLine + h * 0.08));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 160));
    p.drawEllipse(QRectF(x + w * 0.955, beltLine + h * 0.05, w * 0.035, h * 0.09));
    p.setBrush(QColor(200, 30, 30));
    p.drawRect(QRectF(x + w * 0.005, beltLine + h * 0.05, w * 0.02, h * 0.08));
    p.setBrush(QColor(190, 190, 200));
    p.drawRoundedRect(QRectF(x + w * 0.9, sill - h * 0.06, w * 0.11, h * 0.05), 3, 3);
    p.drawRoundedRect(QRectF(x - w * 0.01, sill - h * 0.06, w * 0.1, h * 0.05), 3, 3);

    // Wheels.
    for (qreal cx : {x + w * 0.2, x + w * 0.8}) {
        const QPointF centre(cx, sill);
        p.setBrush(QColor(25, 25, 25));
        p.setPen(QPen(QColor(10, 10, 10), std::max(1.0, h * 0.01)));
        p.drawEllipse(centre, wheelR, wheelR);
        p.setBrush(QColor(200, 200, 210));
        p.setPen(Qt::NoPen);
        p.drawEllipse(centre, wheelR * 0.55, wheelR * 0.55);
        p.setBrush(QColor(120, 120, 130));
        p.drawEllipse(centre, wheelR * 0.18, wheelR * 0.18);
    }
}

QString copyText(int year, int number) {
    QStringList lines;
    const int start = (year * 7 + number * 3) % kCopyLineCount;
    const int count = 3 + (year + number) % 2;
    for (int i = 0; i < count; ++i)
        lines << QString::fromUtf8(kCopyLines[(start + i * 3) % kCopyLineCount]);
    return lines.join(QLatin1Char(' '));
}

QString rtfEscape(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const char kRtfHeader[] =
    R"({\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\fswiss\fcharset0 DejaVu Sans;}{\f1\froman\fcharset0 DejaVu Serif;}{\f2\fmodern\fcharset0 DejaVu Sans Mono;}}
{\colortbl;\red0\green0\blue0;\red30\green60\blue120;\red210\green220\blue235;\red150\green30\blue30;}
)";

} // namespace

QList<YearPlan> demoPlan() {
    QList<YearPlan> plan;
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        if (year == kYearWithoutAds)
            continue; // no ad was published that year
        YearPlan y;
        y.year = year;
        QSize size = kDefaultAdSize;
        switch (year) {
        case 1964:
            y.numbers = {0, 1, 2, 3};
            break;
        case 1965:
            y.numbers = {0};
            break;
        case 1966:
            y.numbers = {0, 1, 3}; // ad 02 was never printed
            break;
        case 1972:
            for (int n = 0; n <= 30; ++n)
                y.numbers << n;
            size = QSize(443, 555); // small pages keep the full series light
            break;
        default:
            y.numbers = year % 3 == 0 ? QList<int>{0, 1, 2} : QList<int>{0, 1};
            break;
        }
        for (qsizetype i = 0; i < y.numbers.size(); ++i)
            y.sizes << size;
        // Pages larger and smaller than a typical viewing area.
        if (year == 1964)
            y.sizes[1] = QSize(1100, 1400);
        else if (year == 1966)
            y.sizes[0] = QSize(400, 300);
        else if (year == 1980)
            y.sizes[0] = QSize(1000, 1300);
        else if (year == 1990)
            y.sizes[1] = QSize(500, 380);
        plan << y;
    }
    return plan;
}

int pictureCount(const QList<YearPlan>& plan) {
    int count = 0;
    for (const YearPlan& y : plan)
        count += int(y.numbers.size());
    return count;
}

QString adFileName(int year, int number) {
    return twoDigits(year % 100) + QStringLiteral("tova") + twoDigits(number) +
           QStringLiteral(".jpg");
}

QImage adPicture(int year, int number, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const qreal w = size.width();
    const qreal h = size.height();
    const int hue = ((year - kFirstYear) * 47) % 360;
    const QColor paper = QColor::fromHsv(hue, 45, 245);
    const QColor ink = QColor::fromHsv(hue, 200, 90);
    const QColor paint = QColor::fromHsv((hue + 160 + number * 37) % 360, 190, 200);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, 0, h);
    background.setColorAt(0, paper);
    background.setColorAt(1, paper.darker(112));
    p.fillRect(QRectF(0, 0, w, h), background);

    // A decoration that changes with the ad number, so ads of one year differ at a glance.
    const qreal unit = std::min(w, h);
    switch (number % 3) {
    case 0:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromHsv((hue + 30) % 360, 120, 255, 150));
        p.drawEllipse(QPointF(w * 0.78, h * 0.33), unit * 0.22, unit * 0.22);
        break;
    case 1:
        p.setPen(QPen(QColor(255, 255, 255, 110), unit * 0.03));
        for (qreal s = -h; s < w; s += unit * 0.12)
            p.drawLine(QPointF(s, h), QPointF(s + h, 0));
        break;
    default:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromHsv(hue, 80, 200, 120));
        p.drawRect(QRectF(0, h * 0.52, w, h * 0.12));
        break;
    }

    const qreal margin = unit * 0.06;
    const qreal textWidth = w - 2 * margin;

    // Headline and ad number.
    const QString headline = QStringLiteral("The %1 Zephcar").arg(year);
    p.setPen(ink);
    p.setFont(fittedFont(headline, h * 0.075, true, textWidth));
    p.drawText(QRectF(margin, margin, textWidth, h * 0.11), Qt::AlignHCenter | Qt::AlignVCenter,
               headline);
    const QString sub = QStringLiteral("Ad %1  \u2014  %2")
                            .arg(number)
                            .arg(QString::fromUtf8(kTaglines[(year + number) % kTaglineCount]));
    p.setPen(ink.lighter(140));
    p.setFont(fittedFont(sub, h * 0.035, false, textWidth));
    p.drawText(QRectF(margin, margin + h * 0.11, textWidth, h * 0.05),
               Qt::AlignHCenter | Qt::AlignVCenter, sub);

    // The car, facing left on odd ads.
    const QRectF carBox(margin + w * 0.04, h * 0.27, w - 2 * margin - w * 0.08, h * 0.32);
    const qreal carHeight = std::min(carBox.height(), carBox.width() * 0.45);
    const QRectF car(carBox.left(), carBox.bottom() - carHeight, carBox.width(), carHeight);
    p.save();
    if (number % 2 == 1) {
        p.translate(car.center().x(), 0);
        p.scale(-1, 1);
        p.translate(-car.center().x(), 0);
    }
    drawCar(p, car, paint, year);
    p.restore();

    // Body copy.
    p.setPen(QColor(40, 40, 40));
    p.setFont(adFont(std::max(7.0, std::min(h * 0.026, w * 0.034)), false));
    p.drawText(QRectF(margin, h * 0.66, textWidth, h * 0.2),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, copyText(year, number));

    // Footer: maker's name and the page code.
    const QRectF footer(margin, h * 0.86, textWidth, h * 0.14 - margin);
    p.setPen(ink);
    p.setFont(adFont(std::min(h * 0.05, w * 0.06), true));
    p.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("RUZARIZ"));
    p.setFont(adFont(std::min(h * 0.022, w * 0.03), false));
    p.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Zephcar %1 \u00b7 %2").arg(year).arg(twoDigits(number)));

    // Printed border.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, std::max(2.0, unit * 0.012)));
    p.drawRect(QRectF(margin * 0.4, margin * 0.4, w - margin * 0.8, h - margin * 0.8));
    p.end();
    return image;
}

bool writeAdJpeg(const QString& path, int year, int number, QSize size, int quality) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(quality);
    return writer.write(adPicture(year, number, size));
}

QByteArray adsListRtf() {
    QString rtf = QString::fromLatin1(kRtfHeader);
    rtf += QStringLiteral(R"(\paperw11906\paperh16838\margl1134\margr1134\margt1134\margb1134
\pard\qc\f0\fs36\b\cf2 Kestrun Ads \emdash  Advertising Checklist\b0\cf0\par
\pard\qc\fs22\i Zephcar advertisements by Ruzariz, model years 1964 to 1999\i0\par
\pard\sa120\fs20 Tick each advertisement as you find it. Ad numbers run from 00 upwards within a model year.\par
)");
    const QString rowStart = QStringLiteral(
        "\\trowd\\trgaph108\\trleft0%2\n"
        "%1\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
        "\\clbrdrr\\brdrs\\brdrw10\\cellx1400\n"
        "%1\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
        "\\clbrdrr\\brdrs\\brdrw10\\cellx5600\n"
        "%1\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
        "\\clbrdrr\\brdrs\\brdrw10\\cellx6800\n"
        "%1\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
        "\\clbrdrr\\brdrs\\brdrw10\\cellx9600\n");
    rtf += QStringLiteral("\\pard\\fs20\n");
    rtf += rowStart.arg(QStringLiteral("\\clcbpat3"), QStringLiteral("\\trhdr"));
    rtf += QStringLiteral("\\pard\\intbl\\b Year\\cell Advertisements\\cell Count\\cell "
                          "Remarks\\cell\\b0\\row\n");

    const QList<YearPlan> plan = demoPlan();
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        const auto it = std::find_if(plan.cbegin(), plan.cend(),
                                     [year](const YearPlan& y) { return y.year == year; });
        QStringList ads;
        QStringList remarks;
        if (it == plan.cend()) {
            ads << QStringLiteral("\\emdash");
            remarks << QStringLiteral("No advertisement was printed");
        } else {
            for (int n : it->numbers)
                ads << twoDigits(n);
            for (int n = 0; n < it->numbers.last(); ++n)
                if (!it->numbers.contains(n))
                    remarks << QStringLiteral("Ad %1 never printed").arg(twoDigits(n));
            if (it->numbers.size() > 10)
                remarks << QStringLiteral("Complete series, small format");
        }
        const qsizetype count = it == plan.cend() ? 0 : it->numbers.size();
        rtf += rowStart.arg(QString(), QString());
        rtf += QStringLiteral("\\pard\\intbl %1\\cell %2\\cell %3\\cell %4\\cell\\row\n")
                   .arg(year)
                   .arg(ads.join(QStringLiteral(", ")))
                   .arg(count)
                   .arg(rtfEscape(remarks.join(QStringLiteral("; "))));
    }
    rtf += QStringLiteral(
        R"(\pard\sb200\fs18\i Checklist supplied with Kestrun Ads by Quillon Software, www.quillon-software.example\i0\par
})");
    return rtf.toLatin1();
}

QByteArray noticeRtf() {
    return QByteArray(kRtfHeader) +
           QByteArray(R"(\pard\qc\sa240\f0\fs36\b\cf2 Kestrun Ads\cf0\b0\par
\pard\qc\sa240\fs24\i Copyright and usage notice\i0\par
\pard\sa160\qj\fs22 The advertisements in this collection were printed by {\b Ruzariz} to introduce each new model year of the {\b Zephcar}. They are reproduced here for study and enjoyment. Every picture remains the property of its owner.\par
\pard\sa160\qj You may view and print the pictures for your own private use. You may {\b not} sell them, publish them again, or place them on a network for others to copy, without written permission from Quillon Software.\par
\pard\sa80 In short:\par
\pard\li360\fi-240\sa60\bullet\tab Looking, reading and printing at home is welcome.\par
\pard\li360\fi-240\sa60\bullet\tab Copying for resale is not.\par
\pard\li360\fi-240\sa160\bullet\tab Quoting a single ad in a club newsletter is fine \emdash  please mention {\i Kestrun Ads}.\par
\pard\sa160\qj Colours may differ from the printed originals; every page was scanned with care, but paper ages and so do inks. The Coup\'e9 pages of the late years have faded most.\par
\pard\qc\fs18\i Quillon Software \emdash  www.quillon-software.example\i0\par
}
)");
}

QByteArray registerRtf() {
    return QByteArray(kRtfHeader) +
           QByteArray(R"(\pard\qc\sa240\f0\fs36\b\cf2 Kestrun Ads Registration Form\cf0\b0\par
\pard\sa200\fs22 Registered users hear first about new collections and updates. Print this page, fill it in and mail it to the address at the bottom.\par
\pard\sa200\tx2400 Name:\tab ________________________________________\par
\pard\sa200\tx2400 Street:\tab ________________________________________\par
\pard\sa200\tx2400 Town and postcode:\tab ________________________________________\par
\pard\sa200\tx2400 Country:\tab ________________________________________\par
\pard\sa200\tx2400 E-mail:\tab ________________________________________\par
\pard\sa120\b Which Zephcar years interest you most?\b0\par
\pard\sa80\li360 {\f2 [  ]} 1964 \emdash  1969\tab {\f2 [  ]} 1970 \emdash  1979\par
\pard\sa80\li360 {\f2 [  ]} 1980 \emdash  1989\tab {\f2 [  ]} 1990 \emdash  1999\par
\pard\sa120\sb120\b How did you hear about Kestrun Ads?\b0\par
\pard\sa80\li360 {\f2 [  ]} A friend\tab {\f2 [  ]} A car club\tab {\f2 [  ]} A shop\tab {\f2 [  ]} Other\par
\pard\sa200\sb120\li360 {\f2 [  ]} Please send me news of other Quillon Software titles.\par
\pard\sa80\sb240\b Send the completed form to:\b0\par
\pard\li360\sa0 Quillon Software \emdash  Reader Registration\par
\pard\li360\sa0 Attn. Registration Desk\par
\pard\li360\sa0 14 Caf\'e9 Row, Harrow Quay\par
\pard\li360\sa0 Port Tamsin, Westmoor\par
\pard\li360\sa200 www.quillon-software.example\par
\pard\qc\fs18\i\cf4 Thank you for choosing Kestrun Ads!\cf0\i0\par
}
)");
}

bool writeDemoMedium(const QString& dir, QString* error) {
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QDir root(dir);
    const QString adsDir = root.filePath(QStringLiteral("ads"));
    const QString textDir = root.filePath(QStringLiteral("RichText"));
    for (const QString& d : {adsDir, textDir}) {
        if (!QDir().mkpath(d))
            return fail(QStringLiteral("Cannot create folder %1").arg(QDir::toNativeSeparators(d)));
    }

    for (const YearPlan& y : demoPlan()) {
        for (qsizetype i = 0; i < y.numbers.size(); ++i) {
            const QString path = QDir(adsDir).filePath(adFileName(y.year, y.numbers[i]));
            if (!writeAdJpeg(path, y.year, y.numbers[i], y.sizes[i]))
                return fail(
                    QStringLiteral("Cannot write picture %1").arg(QDir::toNativeSeparators(path)));
        }
    }

    const struct {
        const char* name;
        QByteArray content;
    } documents[] = {
        {"KestrunAdsList.rtf", adsListRtf()},
        {"notice.rtf", noticeRtf()},
        {"Register.rtf", registerRtf()},
    };
    for (const auto& doc : documents) {
        QSaveFile file(QDir(textDir).filePath(QString::fromLatin1(doc.name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(doc.content) != doc.content.size() ||
            !file.commit())
            return fail(QStringLiteral("Cannot write document %1: %2")
                            .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    }
    return true;
}

} // namespace demo
