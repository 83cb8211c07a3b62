#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <memory>

class QPainter;
class QPaintDevice;
class QTextDocument;

// A copy of a rich-text document laid out on pages of one size, drawn one
// page at a time the way the rich-text box formats a range: from a character
// on, as much as fits, answering the first character that did not fit.
//
// The copy is laid out at 96 dots per inch, as on the screen, and drawn
// scaled to the device: Qt's text layout works in fixed-point numbers that
// overflow for documents some thousands of pages long at printer resolution.
class RichTextPages {
public:
    // pageSize and the positions given to formatRange() are pixels of device.
    RichTextPages(const QTextDocument& source, QPaintDevice* device, QSizeF pageSize);
    ~RichTextPages();

    // Characters of the document; positions run from 0 to textLength() - 1.
    int textLength() const { return m_textLength; }
    int pageCount() const;
    // The page that holds the character at position.
    int pageOf(int position) const;
    // The first character on a page after the given one; textLength() when
    // there is none.
    int firstPositionAfter(int page) const;

    // Draws the page that holds cpMin with its top left corner at topLeft
    // (when painter is not null) and returns the first character that did
    // not fit on it.
    int formatRange(QPainter* painter, QPointF topLeft, int cpMin) const;

private:
    void drawPage(QPainter& painter, QPointF topLeft, int page) const;

    QImage m_metrics; // the layout's device: 96 dots per inch
    std::unique_ptr<QTextDocument> m_doc;
    double m_scale = 1; // device pixels per layout pixel
    QSizeF m_page;      // layout pixels
    int m_textLength = 0;
    // The first character of every line, with its page, in document order.
    QList<std::pair<int, int>> m_lines;
};
