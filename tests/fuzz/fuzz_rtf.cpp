// The RTF reader on any bytes, followed by what the document viewer and the
// printer do with its result: the layout at the viewer's width and the text.
#include "fuzzapp.h"
#include "rtf/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTextDocument doc;
    QString error;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!rtf::readRtf(bytes, doc, &error)) {
        // A refusal names its reason and leaves nothing behind.
        if (error.isEmpty())
            fuzz::broken("refused without a reason");
        if (!doc.isEmpty())
            fuzz::broken("a refused document is not empty");
        return 0;
    }
    // The viewer's text box is 513 pixels wide.
    doc.setTextWidth(513);
    const QSizeF laidOut = doc.documentLayout()->documentSize();
    if (!(laidOut.height() >= 0))
        fuzz::broken("the layout has no height");
    (void)rtf::plainText(doc);
    return 0;
}
