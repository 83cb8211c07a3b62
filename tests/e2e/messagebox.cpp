// e2e-messagebox OUT.png TEXT: shows the message box that the viewer shows
// for TEXT after a print (OK button, exclamation icon, the product title) on
// the current display, through the viewer's own message-box code, and saves a
// picture of it. The end-to-end run compares it with the box on the screen.
#include "platform/msgboxstyle.h"
#include "platform/qtmessageboxes.h"
#include "shell/appstate.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: e2e-messagebox OUT.png TEXT\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !box->isVisible())
            return;
        poll.stop();
        saved = box->grab().save(out);
        box->close();
    });
    poll.start(50);
    QtMessageBoxes boxes(ProductTitle);
    boxes.show(QString::fromLocal8Bit(argv[2]), MsgStyle::OkOnly + MsgStyle::Exclamation,
               ProductTitle);
    // At once, as the viewer itself ends, with no teardown of the display
    // connection.
    std::fflush(nullptr);
    ::_exit(saved ? 0 : 1);
}
