#include "richtextbox.h"

#include "media/files.h"
#include "rtf/rtfreader.h"

#include <QPointer>
#include <QScrollBar>
#include <QTextDocument>

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    verticalScrollBar()->setAccessibleName(QStringLiteral("Scroll the document up and down"));
    horizontalScrollBar()->setAccessibleName(QStringLiteral("Scroll the document across"));
}

bool RichTextBox::LoadFile(const Files& files, const QString& path, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const auto size = files.FileLen(path);
    if (!size)
        return fail(QStringLiteral("The file cannot be found."));
    if (*size > rtf::MaxFileBytes)
        return fail(QStringLiteral("The file is too large."));
    const auto device = files.openRead(path);
    if (!device)
        return fail(QStringLiteral("The file cannot be opened."));
    const QByteArray data = device->read(rtf::MaxFileBytes + 1);
    if (data.size() > rtf::MaxFileBytes)
        return fail(QStringLiteral("The file is too large."));

    auto* doc = new QTextDocument(this);
    QFont font = this->font();
    font.setPointSize(12); // RTF's default size
    doc->setDefaultFont(font);
    if (!rtf::readRtf(data, *doc, error)) {
        delete doc;
        return false;
    }
    // The box's first document belongs to its text control, which deletes it.
    const QPointer<QTextDocument> old = document();
    setDocument(doc);
    if (old && old->parent() == this)
        delete old;
    moveCursor(QTextCursor::Start);
    return true;
}

QString RichTextBox::Text() const {
    return rtf::plainText(*document());
}

int RichTextBox::TextLength() const {
    return qMax(0, document()->characterCount() - 1);
}

void RichTextBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QTextEdit::mouseDoubleClickEvent(event);
    emit DblClick();
}
