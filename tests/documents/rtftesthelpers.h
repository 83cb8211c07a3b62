#pragma once

#include "rtf/rtfreader.h"

#include <QByteArray>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

// Reads RTF into a fresh document; fails the test when it is refused.
inline std::unique_ptr<QTextDocument> readDoc(const QByteArray& rtf) {
    auto doc = std::make_unique<QTextDocument>();
    QString error;
    if (!rtf::readRtf(rtf, *doc, &error))
        qWarning("RTF refused: %s", qPrintable(error));
    return doc;
}

// The plain text our reader makes of RTF (paragraphs as lines, cells by tabs).
inline QString textOf(const QByteArray& rtf) {
    return rtf::plainText(*readDoc(rtf));
}

// The character format of the first character of the first occurrence of word.
inline QTextCharFormat formatOf(const QTextDocument& doc, const QString& word) {
    const QTextCursor found = doc.find(word);
    if (found.isNull())
        return {};
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

inline QTextBlockFormat blockFormatOf(const QTextDocument& doc, const QString& word) {
    const QTextCursor found = doc.find(word);
    return found.isNull() ? QTextBlockFormat() : found.block().blockFormat();
}
