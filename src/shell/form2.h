#pragma once

#include <QWidget>

class Panel3D;
class PictureBox;
class QLabel;
class QTimer;

// The splash window: the convertible under the trees, the title and the
// version, for three seconds with the hourglass pointer.
class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    Panel3D* SSPanel1 = nullptr;
    PictureBox* Picture2 = nullptr;
    Panel3D* SSPanel2 = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

signals:
    // The timer's first tick: the splash is over.
    void finished();
};
