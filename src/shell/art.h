#pragma once

#include <QIcon>
#include <QImage>

// The program's own drawings, rendered at the size the windows store them.
QImage renderArt(const QString& name, QSize size, QImage::Format format = QImage::Format_RGB32);
QIcon programIcon();
