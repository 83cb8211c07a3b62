#include "rtfreader.h"

#include "rtfemit.h"
#include "rtfparser.h"

#include <QFile>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace rtf {

bool readRtf(QByteArrayView data, QTextDocument& doc, QString* error) {
    DocumentModel model;
    Parser parser(data);
    if (!parser.parse(model, error)) {
        doc.clear();
        return false;
    }
    emitDocument(model, doc);
    return true;
}

bool readRtfFile(const QString& path, QTextDocument& doc, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        doc.clear();
        return false;
    }
    if (file.size() > MaxFileBytes) {
        if (error)
            *error = QStringLiteral("The file is too large.");
        doc.clear();
        return false;
    }
    const QByteArray data = file.readAll();
    return readRtf(data, doc, error);
}

namespace {

QString blockText(const QTextBlock& block) {
    QString s = block.text();
    if (s == QString(KeepLine))
        return QString();
    s.remove(QChar::ObjectReplacementCharacter);
    s.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return s;
}

void frameText(QTextFrame::iterator it, QStringList& lines);

QString tableRowText(QTextTable* table, int row) {
    QStringList cells;
    for (int c = 0; c < table->columns(); ++c) {
        const QTextTableCell cell = table->cellAt(row, c);
        if (cell.row() != row || cell.column() != c)
            continue; // covered by a merged cell
        QStringList lines;
        frameText(cell.begin(), lines);
        // Paragraphs of a cell stay on the row's line.
        cells << lines.join(QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return cells.join(QLatin1Char('\t'));
}

void frameText(QTextFrame::iterator it, QStringList& lines) {
    // A document or cell that opens or ends with a table holds an empty
    // paragraph before or after it that nobody wrote; it makes no line.
    bool first = true;
    bool afterTable = false;
    for (; !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child)) {
                for (int r = 0; r < table->rows(); ++r)
                    lines << tableRowText(table, r);
            } else {
                frameText(child->begin(), lines);
            }
            afterTable = true;
        } else {
            const QTextBlock block = it.currentBlock();
            QTextFrame::iterator next = it;
            ++next;
            const bool empty = block.length() <= 1;
            const bool beforeTable =
                !next.atEnd() && qobject_cast<QTextTable*>(next.currentFrame());
            if (!(empty && ((first && beforeTable) || (afterTable && next.atEnd()))))
                lines << blockText(block);
            afterTable = false;
        }
        first = false;
    }
}

} // namespace

QString plainText(const QTextDocument& doc) {
    QStringList lines;
    frameText(doc.rootFrame()->begin(), lines);
    return lines.join(QLatin1Char('\n'));
}

} // namespace rtf
