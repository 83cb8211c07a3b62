// How the RTF reader collects text into formatted spans and paragraphs.
#include "platform/twips.h"
#include "rtffields.h"
#include "rtfparser.h"

#include <QTextOption>
#include <algorithm>

namespace rtf {

namespace {

void repairSurrogates(QString& s) {
    const qsizetype n = s.size();
    QChar* d = s.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i].isHighSurrogate()) {
            if (i + 1 < n && d[i + 1].isLowSurrogate())
                ++i;
            else
                d[i] = QChar::ReplacementCharacter;
        } else if (d[i].isLowSurrogate()) {
            d[i] = QChar::ReplacementCharacter;
        }
    }
}

// A private-use character U+F0xx of a Symbol or Wingdings font as Unicode,
// where the font's encoding has a character for it.
char16_t specialFontChar(int codePage, char16_t c) {
    const auto byte = static_cast<unsigned char>(c - 0xF000);
    const char16_t mapped = symbolFontChar(codePage, byte);
    if (mapped == QChar::ReplacementCharacter ||
        (codePage == CodePage::Wingdings && mapped == byte))
        return c;
    return mapped;
}

double pixels(int twips) {
    return double(twips) / TwipsPerPixel;
}

} // namespace

int Parser::currentCodePage() const {
    const int font = g().chars.font >= 0 ? g().chars.font : m_defaultFont;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.cend()) {
        if (it->special)
            return it->special;
        if (it->codePage > 0)
            return it->codePage;
        const int cp = codePageOfCharset(it->charset);
        if (cp > 0 && cp != CodePage::Symbol)
            return cp;
    }
    return m_codePage;
}

void Parser::prepareText() {
    const Group& grp = g();
    if ((!m_text.isEmpty() || !m_bytes.isEmpty()) && !(grp.chars == m_textProps))
        flushText();
    m_textProps = grp.chars;
}

void Parser::addBytes(QByteArrayView bytes) {
    if (g().chars.hidden)
        return;
    prepareText();
    const int cp = currentCodePage();
    if (!m_bytes.isEmpty() && cp != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = cp;
    m_bytes += bytes;
    m_shown += bytes.size();
}

void Parser::addChar(char16_t c) {
    if (g().chars.hidden)
        return;
    prepareText();
    flushBytes();
    // Symbol-font characters written in the private-use area.
    if (c >= 0xF020 && c <= 0xF0FF) {
        const int cp = currentCodePage();
        if (cp == CodePage::Symbol || cp == CodePage::Wingdings)
            c = specialFontChar(cp, c);
    }
    m_text += QChar(c);
    ++m_shown;
}

void Parser::addString(const QString& s) {
    if (g().chars.hidden)
        return;
    prepareText();
    flushBytes();
    m_text += s;
    m_shown += s.size();
}

void Parser::flushBytes() {
    if (m_bytes.isEmpty())
        return;
    m_decoder.decode(m_bytesCodePage, m_bytes, m_text);
    m_bytes.clear();
}

void Parser::flushText() {
    flushBytes();
    if (m_text.isEmpty())
        return;
    repairSurrogates(m_text);
    m_spans << Span{m_text, charFormat(m_textProps)};
    m_text.clear();
}

void Parser::addPictureSpan(const Span& span) {
    flushText();
    m_spans << span;
    ++m_shown;
}

void Parser::finishField(int field) {
    // A SYMBOL field whose stored result shows nothing shows its character.
    const qint64 resultFrom =
        m_fieldResultFrom.contains(field) ? m_fieldResultFrom.take(field) : -1;
    if (resultFrom >= 0 && m_shown > resultFrom)
        return;
    SymbolField symbol;
    if (g().dest != Dest::Text || !symbolField(m_fieldInstructions.value(field), &symbol))
        return;
    const CharProps around = g().chars;
    if (const int font = symbol.font.isEmpty() ? -1 : fontNamed(symbol.font); font >= 0)
        g().chars.font = font;
    if (symbol.points > 0)
        g().chars.fontSize = symbol.points * 2;
    if (!symbol.unicode && symbol.code <= 0xFF) {
        // A byte of the font, read as the font's other text is.
        const char byte = char(symbol.code);
        addBytes(QByteArrayView(&byte, 1));
    } else if (symbol.code <= 0xFFFF) {
        addChar(char16_t(symbol.code));
    } else {
        const auto c = char32_t(symbol.code);
        addString(QString::fromUcs4(&c, 1));
    }
    g().chars = around;
}

Span Parser::labelSpan(const LabelText& label, CharProps props) {
    if (label.font >= 0)
        props.font = label.font;
    props.underline = 0;
    props.href.clear();
    const auto it = m_fonts.constFind(props.font >= 0 ? props.font : m_defaultFont);
    const int special = it != m_fonts.cend() ? it->special : 0;
    int cp = m_codePage;
    if (it != m_fonts.cend()) {
        const int own = it->codePage > 0 ? it->codePage : codePageOfCharset(it->charset);
        if (own > 0 && own != CodePage::Symbol)
            cp = own;
    }
    if (special)
        cp = special;
    QString text;
    QByteArray bytes;
    for (int u : label.units) {
        if (u < 0) {
            bytes += char(-1 - u);
            continue;
        }
        m_decoder.decode(cp, bytes, text);
        bytes.clear();
        if (special && u >= 0xF020 && u <= 0xF0FF)
            u = specialFontChar(special, char16_t(u));
        text += QChar(char16_t(u));
    }
    m_decoder.decode(cp, bytes, text);
    repairSurrogates(text);
    return Span{text, charFormat(props)};
}

QTextCharFormat Parser::charFormat(const CharProps& p) {
    if (m_haveCachedFormat && p == m_cachedProps)
        return m_cachedFormat;
    QTextCharFormat f;
    const int font = p.font >= 0 ? p.font : m_defaultFont;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.cend() && !it->name.isEmpty()) {
        f.setFontFamilies(QStringList{it->name});
        switch (it->family) {
        case 1:
            f.setFontStyleHint(QFont::Serif);
            break;
        case 2:
            f.setFontStyleHint(QFont::SansSerif);
            break;
        case 3:
            f.setFontStyleHint(QFont::TypeWriter);
            f.setFontFixedPitch(true);
            break;
        case 4:
            f.setFontStyleHint(QFont::Cursive);
            break;
        case 5:
            f.setFontStyleHint(QFont::Decorative);
            break;
        default:
            break;
        }
    }
    f.setFontPointSize(p.fontSize / 2.0);
    f.setFontWeight(p.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(p.italic);
    f.setFontStrikeOut(p.strike);
    if (p.underline != 0)
        f.setUnderlineStyle(QTextCharFormat::UnderlineStyle(p.underline));
    if (p.vertical == 1)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (p.vertical == 2)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (p.caps == 1)
        f.setFontCapitalization(QFont::AllUppercase);
    else if (p.caps == 2)
        f.setFontCapitalization(QFont::SmallCaps);
    if (p.foreground > 0 && p.foreground < m_colors.size() && m_colors[p.foreground].isValid())
        f.setForeground(m_colors[p.foreground]);
    if (p.background > 0 && p.background < m_colors.size() && m_colors[p.background].isValid())
        f.setBackground(m_colors[p.background]);
    if (!p.href.isEmpty()) {
        f.setAnchor(true);
        f.setAnchorHref(p.href);
    }
    m_cachedProps = p;
    m_cachedFormat = f;
    m_haveCachedFormat = true;
    return f;
}

QTextBlockFormat Parser::blockFormat(const ParaProps& p) const {
    QTextBlockFormat b;
    static constexpr Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                                   Qt::AlignJustify};
    b.setAlignment(alignments[qBound(0, p.alignment, 3)]);
    if (p.leftIndent)
        b.setLeftMargin(pixels(p.leftIndent));
    if (p.rightIndent)
        b.setRightMargin(pixels(p.rightIndent));
    if (p.firstIndent)
        b.setTextIndent(pixels(p.firstIndent));
    if (p.spaceBefore)
        b.setTopMargin(pixels(p.spaceBefore));
    if (p.spaceAfter)
        b.setBottomMargin(pixels(p.spaceAfter));
    if (p.lineSpacing > 0 && p.lineMultiple)
        b.setLineHeight(p.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (p.lineSpacing > 0)
        b.setLineHeight(pixels(p.lineSpacing), QTextBlockFormat::MinimumHeight);
    else if (p.lineSpacing < 0)
        b.setLineHeight(pixels(-p.lineSpacing), QTextBlockFormat::FixedHeight);
    if (p.pageBreakBefore)
        b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (p.rightToLeft)
        b.setLayoutDirection(Qt::RightToLeft);
    // A hanging indent makes the left indent a tab stop, as in word processors.
    QList<TabStop> stops = p.tabs;
    if (p.firstIndent < 0 && p.leftIndent > 0) {
        const int hang = p.leftIndent;
        const bool before = std::any_of(stops.cbegin(), stops.cend(), [&](const TabStop& t) {
            return t.position > p.leftIndent + p.firstIndent && t.position < hang;
        });
        if (!before)
            stops << TabStop{hang, 0};
        std::sort(stops.begin(), stops.end(),
                  [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
    }
    if (!stops.isEmpty()) {
        // RTF measures tab stops from the text's left edge; Qt from where the
        // line starts. Tabs are nearly always on a paragraph's first line.
        const int origin = p.leftIndent + p.firstIndent;
        QList<QTextOption::Tab> tabs;
        for (const TabStop& t : stops) {
            if (t.position <= origin)
                continue;
            static constexpr QTextOption::TabType types[] = {
                QTextOption::LeftTab, QTextOption::CenterTab, QTextOption::RightTab,
                QTextOption::DelimiterTab};
            tabs << QTextOption::Tab(pixels(t.position - origin), types[qBound(0, t.type, 3)],
                                     t.type == 3 ? QChar(u'.') : QChar());
        }
        b.setTabPositions(tabs);
    }
    return b;
}

void Parser::endParagraph(int level) {
    flushText();
    const Group& grp = g();
    Paragraph p;
    p.format = blockFormat(grp.para);
    p.mark = charFormat(grp.chars);
    p.spans = std::move(m_spans);
    // The label of a list paragraph. A \ls that names no list (\ls0 among
    // them) and a \pnlvlcont paragraph have none and leave the count of the
    // numbered paragraphs around them as it is.
    if (grp.para.listOverride >= 0) {
        LabelText label;
        if (m_lists.nextLabel(grp.para.listOverride, grp.para.listLevel, &label)) {
            p.spans.prepend(labelSpan(label, grp.chars));
            m_lists.endLegacyRun();
        }
    } else if (grp.para.pn.active && grp.para.pn.cont) {
        // part of the item above
    } else if (grp.para.pn.active) {
        LabelText label;
        for (QChar c : m_lists.nextLegacyLabel(grp.para.pn))
            label.units << c.unicode();
        label.font = grp.para.pn.bullet ? -1 : grp.para.pn.font;
        p.spans.prepend(labelSpan(label, grp.chars));
    } else {
        m_lists.endLegacyRun();
    }
    if (m_pageBreakPending) {
        p.format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_pageBreakPending = false;
    }
    m_spans.clear();
    m_lastNoteSpan = -1;
    m_tables->addParagraph(std::move(p), level >= 0 ? level : grp.para.level());
}

} // namespace rtf
