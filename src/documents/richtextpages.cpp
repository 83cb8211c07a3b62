#include "richtextpages.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <cmath>

namespace {

constexpr int LayoutDpi = 96;

} // namespace

RichTextPages::RichTextPages(const QTextDocument& source, QPaintDevice* device, QSizeF pageSize)
    : m_metrics(1, 1, QImage::Format_ARGB32_Premultiplied), m_doc(source.clone()) {
    // 96 dots per inch are 3780 dots per metre.
    m_metrics.setDotsPerMeterX(3780);
    m_metrics.setDotsPerMeterY(3780);
    m_scale = device ? double(device->logicalDpiY()) / LayoutDpi : 1.0;
    m_page = (pageSize / m_scale).expandedTo(QSizeF(1, 1));
    m_doc->setDocumentMargin(0);
    m_doc->documentLayout()->setPaintDevice(&m_metrics);
    m_doc->setPageSize(m_page);
    m_textLength = qMax(0, m_doc->characterCount() - 1);

    QAbstractTextDocumentLayout* layout = m_doc->documentLayout();
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* tl = b.layout();
        if (!tl)
            continue;
        const QRectF rect = layout->blockBoundingRect(b);
        const qreal origin = rect.top() - tl->boundingRect().top();
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            const qreal top = origin + line.y();
            const int page = qMax(0, int(std::floor((top + 0.5) / m_page.height())));
            m_lines << std::make_pair(b.position() + line.textStart(), page);
        }
    }
}

RichTextPages::~RichTextPages() = default;

int RichTextPages::pageCount() const {
    return qMax(1, m_doc->pageCount());
}

int RichTextPages::pageOf(int position) const {
    int page = 0;
    for (const auto& [start, p] : m_lines) {
        if (start > position)
            break;
        page = p;
    }
    return page;
}

int RichTextPages::firstPositionAfter(int page) const {
    for (const auto& [start, p] : m_lines)
        if (p > page)
            return start;
    return m_textLength;
}

int RichTextPages::formatRange(QPainter* painter, QPointF topLeft, int cpMin) const {
    const int page = pageOf(cpMin);
    if (painter)
        drawPage(*painter, topLeft, page);
    return firstPositionAfter(page);
}

void RichTextPages::drawPage(QPainter& painter, QPointF topLeft, int page) const {
    const qreal top = page * m_page.height();
    painter.save();
    painter.translate(topLeft);
    painter.scale(m_scale, m_scale);
    painter.setClipRect(QRectF(QPointF(0, 0), m_page));
    painter.translate(0, -top);
    QAbstractTextDocumentLayout::PaintContext context;
    // Lines are drawn when they meet the clip; a line that merely touches the
    // page's top or bottom edge belongs to the page before or after.
    context.clip = QRectF(0, top + 0.5, m_page.width(), m_page.height() - 1);
    context.palette.setColor(QPalette::Text, Qt::black);
    m_doc->documentLayout()->draw(&painter, context);
    painter.restore();
}
