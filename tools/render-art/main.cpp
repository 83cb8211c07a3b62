// Renders one of our SVG drawings into the picture file the windows load at
// start-up, so that no drawing is rendered while the user waits.
// Usage: render-art IN.svg OUT.(bmp|jpg|png) WIDTH HEIGHT
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: render-art IN.svg OUT WIDTH HEIGHT\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const QSize size(QByteArray(argv[3]).toInt(), QByteArray(argv[4]).toInt());
    if (!svg.isValid() || size.isEmpty()) {
        std::fprintf(stderr, "render-art: cannot render %s\n", argv[1]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    const bool opaque = !out.endsWith(QLatin1String(".png"));
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(opaque ? Qt::white : Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
    }
    // The cover is a 24-bit bitmap, the splash a JPEG photograph, icons keep transparency.
    const QImage final = opaque ? img.convertToFormat(QImage::Format_RGB888) : img;
    if (!final.save(out, nullptr, out.endsWith(QLatin1String(".jpg")) ? 92 : -1)) {
        std::fprintf(stderr, "render-art: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
