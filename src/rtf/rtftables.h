#pragma once

#include "rtfmodel.h"

namespace rtf {

// Collects the paragraphs of table cells into rows and tables, nested as the
// paragraphs' table levels say (1 for a table in the body, 2 for a table in a
// cell of it, ...). Rows keep the row definition in force when they end.
class TableBuilder {
public:
    // Deeper levels are read as this level. Each level doubles the time the
    // layout takes for the cells in it; real documents nest two or three.
    static constexpr int MaxLevel = 8;
    // Cells of a row beyond this many join the last cell.
    static constexpr int MaxCellsPerRow = 64;

    // cellBudget bounds the cells of all tables; rows beyond it are kept as
    // plain paragraphs.
    TableBuilder(QList<Block>& body, qint64 cellBudget);
    // The cells a document of so many bytes may have: plenty for real
    // documents, few enough that laying them out stays quick.
    static qint64 cellBudget(qint64 inputBytes) { return 4000 + inputBytes / 128; }

    // A finished paragraph at a table level (0: the body).
    void addParagraph(Paragraph&& paragraph, int level);
    // \cell (level 1) and \nestcell (its level).
    void endCell(int level);
    // \row (level 1) and \nestrow (its level).
    void endRow(int level);
    // Closes every open table; the end of the document.
    void finish();
    int openLevels() const { return int(m_open.size()); }

    // The row definition being written for a level (\trowd resets it).
    RowDef& definition(int level);
    void resetDefinition(int level);
    // The cell properties written before the next \cellx of a level.
    CellDef& pendingCell(int level);
    void addCellBoundary(int level, int right);

private:
    struct Level {
        std::shared_ptr<Table> table = std::make_shared<Table>();
        Row row;
        Cell cell;
    };
    static int clampLevel(int level);
    void openTo(int level);
    void closeTo(int level);
    void finishRow(Level& level, int index);
    QList<Block>& parentBlocks();

    QList<Block>& m_body;
    QList<Level> m_open;
    QList<RowDef> m_defs;
    QList<CellDef> m_pending;
    qint64 m_cellBudget;
};

} // namespace rtf
