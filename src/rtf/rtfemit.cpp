#include "rtfemit.h"

#include "platform/twips.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <algorithm>

namespace rtf {

namespace {

// Tables wider than this share the width of the page instead of keeping
// their written size, so that they fit the viewer and the printed page.
constexpr int FixedTableTwips = 7200;
// Cell boundaries closer than this are one column boundary.
constexpr int SnapTwips = 20;
constexpr int MaxColumns = 64;
// Taller merged cells make the layout slow; longer runs start a new cell.
constexpr int MaxRowSpan = 64;

// Qt's text layout stops working on documents taller than some millions of
// pixels (its fixed-point positions overflow). Real documents stay far below
// this many pixels at 96 dots per inch (some four thousand pages); past it,
// what hostile input still brings is shown without size or spacing.
constexpr double HeightBudget = 4'000'000;
// Width assumed when estimating how many lines a paragraph takes: narrower
// than the viewer and the printed page, so that the estimate is generous.
constexpr double EstimateWidth = 400;

struct Budget {
    double used = 0;
};

double pixelsOfPoints(double points) {
    return points * 96.0 / 72.0;
}

// A generous estimate of the height of a paragraph in a column of width.
double estimateHeight(const Paragraph& p, double width) {
    double fontPx = pixelsOfPoints(qMax(12.0, p.mark.fontPointSize()));
    double chars = 0, images = 0, breaks = 0;
    for (const Span& s : p.spans) {
        if (s.format.isImageFormat()) {
            images += s.format.toImageFormat().height();
            continue;
        }
        fontPx = qMax(fontPx, pixelsOfPoints(s.format.fontPointSize()));
        chars += double(s.text.size());
        breaks += double(s.text.count(QChar::LineSeparator));
    }
    const QTextBlockFormat& b = p.format;
    double line = fontPx * 1.3;
    if (b.lineHeightType() == QTextBlockFormat::FixedHeight ||
        b.lineHeightType() == QTextBlockFormat::MinimumHeight)
        line = qMax(line, b.lineHeight());
    else if (b.lineHeightType() == QTextBlockFormat::ProportionalHeight)
        line *= qMax(1.0, b.lineHeight() / 100.0);
    const double lines = 1 + breaks + chars * fontPx * 0.7 / qMax(8.0, width);
    return b.topMargin() + b.bottomMargin() + lines * line + images;
}

// The paragraph as it is shown once the height budget is spent: tiny text,
// no spacing, pictures as thin boxes.
Paragraph flattened(const Paragraph& p) {
    Paragraph f;
    f.mark = p.mark;
    f.mark.setFontPointSize(1);
    for (Span s : p.spans) {
        if (s.format.isImageFormat()) {
            QTextImageFormat image = s.format.toImageFormat();
            image.setWidth(qMin(image.width(), 2.0));
            image.setHeight(qMin(image.height(), 2.0));
            s.format = image;
        } else {
            s.format.setFontPointSize(1);
        }
        f.spans << s;
    }
    return f;
}

// Qt lays out a line without a break opportunity, or with very many tabs, in
// time that grows with the square of its length. Hostile text gets a
// zero-width break opportunity every so many characters, and tabs past a
// number become blanks; real text never comes near either.
constexpr int MaxUnbrokenRun = 1000;
constexpr int MaxTabsPerParagraph = 500;

struct LineGuard {
    int run = 0;
    int tabs = 0;
    // The text with break opportunities added where needed.
    QString apply(const QString& text) {
        QString out;
        bool changed = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            QChar c = text[i];
            if (c == QLatin1Char('\t') && ++tabs > MaxTabsPerParagraph) {
                c = QLatin1Char(' ');
                if (!changed) {
                    out = text.left(i);
                    changed = true;
                }
            }
            if (c.isSpace() || c == QLatin1Char('-') || c == QChar(0x200B)) {
                run = 0;
            } else if (++run >= MaxUnbrokenRun) {
                if (!changed) {
                    out = text.left(i);
                    changed = true;
                }
                out += QChar(0x200B);
                run = 0;
            }
            if (changed)
                out += c;
        }
        return changed ? out : text;
    }
};

void emitBlocks(QTextCursor& cursor, const QList<Block>& blocks, bool needBlock, Budget& budget,
                double width);

void emitParagraph(QTextCursor& cursor, const Paragraph& given, bool needBlock, Budget& budget,
                   double width) {
    const double height = estimateHeight(given, width);
    const Paragraph* p = &given;
    Paragraph flat;
    if (budget.used + height > HeightBudget) {
        flat = flattened(given);
        p = &flat;
        budget.used += estimateHeight(flat, width);
    } else {
        budget.used += height;
    }
    if (needBlock)
        cursor.insertBlock(p->format, p->mark);
    else {
        cursor.setBlockFormat(p->format);
        // Merged, not set: in a table cell this is the cell's format, spans and all.
        cursor.mergeBlockCharFormat(p->mark);
    }
    LineGuard guard;
    for (const Span& s : p->spans) {
        if (s.format.isImageFormat()) {
            cursor.insertImage(s.format.toImageFormat());
            guard.run = 0;
        } else {
            cursor.insertText(guard.apply(s.text), s.format);
        }
    }
}

// Left and right edge of every cell of a row, twips; cells past the written
// boundaries get a width of one inch.
QList<std::pair<int, int>> cellEdges(const Row& row) {
    QList<std::pair<int, int>> edges;
    const qsizetype count = qMax(row.cells.size(), row.def.cells.size());
    int left = qMin(row.def.left, row.def.cells.isEmpty() ? 0 : row.def.cells[0].right - 1);
    for (qsizetype i = 0; i < count; ++i) {
        int right = i < row.def.cells.size() ? row.def.cells[i].right : left + 1440;
        if (right <= left)
            right = left + SnapTwips * 2;
        edges << std::make_pair(left, right);
        left = right;
    }
    return edges;
}

struct Grid {
    QList<int> bounds; // column boundaries, twips
    int columnOf(int x) const {
        const auto it = std::min_element(bounds.begin(), bounds.end(), [x](int a, int b) {
            return std::abs(a - x) < std::abs(b - x);
        });
        return int(it - bounds.begin());
    }
};

Grid gridOf(const Table& table) {
    QList<int> all;
    for (const Row& row : table.rows)
        for (const auto& [l, r] : cellEdges(row))
            all << l << r;
    std::sort(all.begin(), all.end());
    Grid grid;
    for (int x : all)
        if (grid.bounds.isEmpty() || x - grid.bounds.back() > SnapTwips)
            grid.bounds << x;
    return grid;
}

void emitTable(QTextCursor& cursor, const Table& table, Budget& budget, double width) {
    Grid grid = gridOf(table);
    const bool byIndex = grid.bounds.size() < 2 || grid.bounds.size() > MaxColumns + 1;
    int columns = 0;
    if (byIndex) {
        for (const Row& row : table.rows)
            columns = qMax(columns, int(qMax(row.cells.size(), row.def.cells.size())));
        columns = qBound(1, columns, MaxColumns);
    } else {
        columns = int(grid.bounds.size()) - 1;
    }
    const int rows = int(table.rows.size());

    QTextTableFormat format;
    format.setCellSpacing(0);
    format.setBorderCollapse(true);
    const RowDef& first = table.rows.front().def;
    format.setAlignment(first.alignment);
    bool border = false;
    for (const Row& row : table.rows) {
        border = border || row.def.border;
        for (const CellDef& c : row.def.cells)
            border = border || c.border;
    }
    format.setBorder(border ? 1 : 0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(Qt::black);
    if (!byIndex) {
        const int total = grid.bounds.back() - grid.bounds.front();
        QList<QTextLength> widths;
        for (int c = 0; c < columns; ++c) {
            const int w = grid.bounds[c + 1] - grid.bounds[c];
            widths << (total <= FixedTableTwips
                           ? QTextLength(QTextLength::FixedLength, double(w) / TwipsPerPixel)
                           : QTextLength(QTextLength::PercentageLength, 100.0 * w / total));
        }
        format.setColumnWidthConstraints(widths);
        format.setWidth(total <= FixedTableTwips
                            ? QTextLength(QTextLength::FixedLength, double(total) / TwipsPerPixel)
                            : QTextLength(QTextLength::PercentageLength, 100));
    }
    QTextTable* t = cursor.insertTable(rows, columns, format);

    // Where each cell sits: its first column and the columns it covers.
    struct Place {
        int column = 0, span = 1;
    };
    QList<QList<Place>> places(rows);
    for (int r = 0; r < rows; ++r) {
        const Row& row = table.rows[r];
        const auto edges = cellEdges(row);
        for (qsizetype i = 0; i < edges.size(); ++i) {
            Place p;
            if (byIndex) {
                p.column = int(qMin<qsizetype>(i, columns - 1));
            } else {
                p.column = qMin(grid.columnOf(edges[i].first), columns - 1);
                p.span = qMax(1, grid.columnOf(edges[i].second) - p.column);
            }
            places[r] << p;
        }
    }
    // Merged cells: \clmrg joins a cell to its left neighbour, \clvmrg to the one above.
    QList<int> verticalStart(columns, -1);
    for (int r = 0; r < rows; ++r) {
        const Row& row = table.rows[r];
        for (qsizetype i = 0; i < places[r].size(); ++i) {
            const Place& p = places[r][i];
            if (p.column + p.span > columns)
                continue;
            const CellDef def = i < row.def.cells.size() ? row.def.cells[i] : CellDef();
            if (p.span > 1)
                t->mergeCells(r, p.column, 1, p.span);
            if (def.verticalFirst)
                verticalStart[p.column] = r;
            else if (def.verticalNext && verticalStart[p.column] >= 0 &&
                     r - verticalStart[p.column] >= MaxRowSpan)
                verticalStart[p.column] = r;
            else if (def.verticalNext && verticalStart[p.column] >= 0) {
                const int top = verticalStart[p.column];
                const QTextTableCell topCell = t->cellAt(top, p.column);
                if (topCell.columnSpan() == p.span && topCell.column() == p.column)
                    t->mergeCells(top, p.column, r - top + 1, p.span);
            } else
                verticalStart[p.column] = -1;
            if (def.mergeNext && i > 0) {
                const Place& left = places[r][i - 1];
                const QTextTableCell leftCell = t->cellAt(r, left.column);
                if (leftCell.row() == r && leftCell.column() + leftCell.columnSpan() == p.column)
                    t->mergeCells(r, leftCell.column(), 1, leftCell.columnSpan() + p.span);
            }
        }
    }
    // Content last: a merged cell shows the content of all cells it covers.
    QList<QList<bool>> filled(rows, QList<bool>(columns, false));
    for (int r = 0; r < rows; ++r) {
        const Row& row = table.rows[r];
        for (qsizetype i = 0; i < row.cells.size() && i < places[r].size(); ++i) {
            const QTextTableCell cell = t->cellAt(r, places[r][i].column);
            if (!cell.isValid() || row.cells[i].blocks.isEmpty())
                continue;
            bool& used = filled[cell.row()][cell.column()];
            QTextCursor c = used ? cell.lastCursorPosition() : cell.firstCursorPosition();
            const double cellWidth = qMax(8.0, width * places[r][i].span / columns);
            emitBlocks(c, row.cells[i].blocks, used, budget, cellWidth);
            used = true;
        }
    }
    // Cell formats last: a cell's format is that of its first paragraph's mark.
    const double sidePadding = qMax(2.0, first.gap / double(TwipsPerPixel));
    for (int r = 0; r < rows; ++r) {
        const Row& row = table.rows[r];
        for (qsizetype i = 0; i < places[r].size(); ++i) {
            QTextTableCell cell = t->cellAt(r, places[r][i].column);
            if (!cell.isValid() || cell.row() != r || cell.column() != places[r][i].column)
                continue;
            QTextTableCellFormat cf = cell.format().toTableCellFormat();
            cf.setLeftPadding(sidePadding);
            cf.setRightPadding(sidePadding);
            cf.setTopPadding(1);
            cf.setBottomPadding(1);
            if (i < row.def.cells.size() && row.def.cells[i].background.isValid())
                cf.setBackground(row.def.cells[i].background);
            cell.setFormat(cf);
        }
    }
    cursor.setPosition(t->lastPosition() + 1);
}

// True for a written empty paragraph just before a table, or just after one
// with more to follow: the layout would lay the table over it, so it holds
// an invisible character to keep its line.
bool emptyBesideTable(const QList<Block>& blocks, qsizetype i) {
    if (!blocks[i].paragraph.spans.isEmpty())
        return false;
    const bool tableAfter = i + 1 < blocks.size() && blocks[i + 1].table;
    const bool tableBefore = i > 0 && blocks[i - 1].table;
    return tableAfter || (tableBefore && i + 1 < blocks.size());
}

void emitBlocks(QTextCursor& cursor, const QList<Block>& blocks, bool needBlock, Budget& budget,
                double width) {
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        if (b.table) {
            // At the end of a paragraph the table goes in right after it.
            emitTable(cursor, *b.table, budget, width);
            needBlock = false; // the table leaves an empty paragraph after it
        } else {
            emitParagraph(cursor, b.paragraph, needBlock, budget, width);
            if (emptyBesideTable(blocks, i))
                cursor.insertText(QString(KeepLine), b.paragraph.mark);
            needBlock = true;
        }
    }
}

} // namespace

void emitDocument(const DocumentModel& model, QTextDocument& doc) {
    doc.clear();
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    for (const Picture& p : model.pictures)
        doc.addResource(QTextDocument::ImageResource, QUrl(p.name), p.image);
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(model.defaultTabTwips / TwipsPerPixel);
    doc.setDefaultTextOption(option);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    Budget budget;
    emitBlocks(cursor, model.blocks, false, budget, EstimateWidth);
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(undo);
}

} // namespace rtf
