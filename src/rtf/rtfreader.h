#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

// The program's own RTF reader: turns Rich Text Format into a QTextDocument.
// It reads text and its formatting, code pages and Unicode, lists, fields
// (their shown result), tables (nested too) and PNG or JPEG pictures (other
// pictures become an empty box of their size); headers, footers, footnote
// text, comments and document information are not shown. Any input gives a
// document or an error, in time linear in its size and with memory bounded by
// it: groups nested too deeply are not shown, and table cells, pictures and
// decoded pixels are limited.
namespace rtf {

// Replaces the document's content with the RTF in data. Returns false, with a
// one-line reason in *error, when the data is not RTF at all (an empty file,
// text without the opening group); the document is then left empty.
bool readRtf(QByteArrayView data, QTextDocument& doc, QString* error = nullptr);

// Reads a file from disk the same way; a file that cannot be read, or that is
// larger than MaxFileBytes, is an error too.
bool readRtfFile(const QString& path, QTextDocument& doc, QString* error = nullptr);

// Largest RTF file the program reads (64 MB); the medium's documents are small.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

// The document's text: one line per paragraph (line breaks inside a paragraph
// too), the cells of a table row on one line separated by tabs, pictures left
// out. The last line has no line end.
QString plainText(const QTextDocument& doc);

} // namespace rtf
