#pragma once

#include <QFrame>

// A bevelled 3-D panel with a centred caption and an optional fill level (the
// progress gauge): that share of the panel is filled with a bar, over which
// the caption is drawn in its inverse colour.
class Panel3D : public QFrame {
    Q_OBJECT
public:
    explicit Panel3D(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int floodPercent() const { return m_percent; }
    // A gauge once a fill level has been set.
    bool isGauge() const { return m_flood; }
    // 0–100; other values are clamped.
    void setFloodPercent(int percent);
    void setCaptionColor(const QColor& color);
    void setAlignment(Qt::Alignment a);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    int m_percent = 0;
    bool m_flood = false;
    QColor m_captionColor;
    Qt::Alignment m_align = Qt::AlignCenter;
};
