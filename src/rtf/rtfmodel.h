#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <memory>

// What the RTF parser builds before the QTextDocument is made: paragraphs of
// formatted spans and tables of cells that hold paragraphs and tables again.
namespace rtf {

struct Span {
    QString text;           // empty for a picture
    QTextCharFormat format; // a QTextImageFormat for a picture
};

struct Paragraph {
    QTextBlockFormat format;
    QTextCharFormat mark; // the paragraph mark's format: the height of an empty line
    QList<Span> spans;
};

struct Table;

// A paragraph or a table, in the order of the document.
struct Block {
    Paragraph paragraph;
    std::shared_ptr<Table> table; // set for a table; the paragraph is then unused
};

// One cell boundary of a row definition (\cellxN and the cell words before it).
struct CellDef {
    int right = 0; // twips from the left edge of the text
    QColor background;
    bool border = false;
    bool mergeFirst = false;    // \clmgf
    bool mergeNext = false;     // \clmrg: joined to the cell on its left
    bool verticalFirst = false; // \clvmgf
    bool verticalNext = false;  // \clvmrg: joined to the cell above
};

struct RowDef {
    QList<CellDef> cells;
    int left = 0; // \trleftN, twips
    int gap = 0;  // \trgaphN: half the space between cells, twips
    bool border = false;
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct Cell {
    QList<Block> blocks;
};

struct Row {
    QList<Cell> cells;
    RowDef def;
};

struct Table {
    QList<Row> rows;
};

// A picture kept as a document resource, named by its URL.
struct Picture {
    QString name;
    QImage image;
};

struct DocumentModel {
    QList<Block> blocks;
    QList<Picture> pictures;
    double defaultTabTwips = 720;
};

} // namespace rtf
