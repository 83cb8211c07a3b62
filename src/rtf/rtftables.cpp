#include "rtftables.h"

namespace rtf {

TableBuilder::TableBuilder(QList<Block>& body, qint64 cellBudget)
    : m_body(body), m_defs(MaxLevel), m_pending(MaxLevel), m_cellBudget(cellBudget) {}

int TableBuilder::clampLevel(int level) {
    return qBound(1, level, MaxLevel);
}

RowDef& TableBuilder::definition(int level) {
    return m_defs[clampLevel(level) - 1];
}

void TableBuilder::resetDefinition(int level) {
    definition(level) = RowDef();
    pendingCell(level) = CellDef();
}

CellDef& TableBuilder::pendingCell(int level) {
    return m_pending[clampLevel(level) - 1];
}

void TableBuilder::addCellBoundary(int level, int right) {
    RowDef& def = definition(level);
    CellDef cell = pendingCell(level);
    cell.right = right;
    // Word's own limit is 63 cells; more would only cost memory.
    if (def.cells.size() < MaxCellsPerRow)
        def.cells << cell;
    pendingCell(level) = CellDef();
}

QList<Block>& TableBuilder::parentBlocks() {
    return m_open.isEmpty() ? m_body : m_open.back().cell.blocks;
}

void TableBuilder::openTo(int level) {
    while (m_open.size() < level)
        m_open.append(Level());
}

void TableBuilder::closeTo(int level) {
    while (m_open.size() > level) {
        Level closing = m_open.takeLast();
        const int index = int(m_open.size());
        if (!closing.cell.blocks.isEmpty()) {
            closing.row.cells << std::move(closing.cell);
            closing.cell = Cell();
        }
        finishRow(closing, index);
        if (!closing.table->rows.isEmpty()) {
            Block b;
            b.table = closing.table;
            parentBlocks() << b;
        }
    }
}

void TableBuilder::finishRow(Level& level, int index) {
    if (level.row.cells.isEmpty())
        return;
    Row row = std::move(level.row);
    level.row = Row();
    row.def = m_defs[index];
    const qint64 columns = qMax<qint64>(row.cells.size(), row.def.cells.size());
    // A cell nested one level deeper is laid out twice as often, so it spends
    // twice as much of the budget.
    const qint64 cost = columns << index;
    if (cost > m_cellBudget) {
        // Too many cells for one document: the row's text stays, as paragraphs
        // after the rows the table has so far.
        QList<Block>& target = index == 0 ? m_body : m_open[index - 1].cell.blocks;
        if (!level.table->rows.isEmpty()) {
            Block b;
            b.table = level.table;
            target << b;
            level.table = std::make_shared<Table>();
        }
        for (Cell& cell : row.cells)
            target << cell.blocks;
        return;
    }
    m_cellBudget -= cost;
    level.table->rows << std::move(row);
}

void TableBuilder::addParagraph(Paragraph&& paragraph, int level) {
    Block b;
    b.paragraph = std::move(paragraph);
    if (level <= 0) {
        closeTo(0);
        m_body << std::move(b);
        return;
    }
    level = clampLevel(level);
    closeTo(level);
    openTo(level);
    m_open.back().cell.blocks << std::move(b);
}

void TableBuilder::endCell(int level) {
    level = clampLevel(level);
    closeTo(level);
    openTo(level);
    Level& l = m_open.back();
    if (l.row.cells.size() < MaxCellsPerRow) {
        l.row.cells << std::move(l.cell);
    } else {
        l.row.cells.back().blocks << l.cell.blocks;
    }
    l.cell = Cell();
}

void TableBuilder::endRow(int level) {
    level = clampLevel(level);
    if (m_open.size() < level)
        return; // a row mark outside any table
    closeTo(level);
    Level& l = m_open.back();
    if (!l.cell.blocks.isEmpty()) {
        l.row.cells << std::move(l.cell);
        l.cell = Cell();
    }
    finishRow(l, level - 1);
}

void TableBuilder::finish() {
    closeTo(0);
}

} // namespace rtf
