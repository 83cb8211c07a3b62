#include "rtfparser.h"

#include "platform/twips.h"

#include <QTextImageFormat>

namespace rtf {

namespace {

// Anything before the first "{" may be blanks or a UTF-8 byte order mark.
qsizetype rtfStart(QByteArrayView in) {
    qsizetype i = 0;
    if (in.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < in.size() && (in[i] == ' ' || in[i] == '\t' || in[i] == '\r' || in[i] == '\n'))
        ++i;
    // "{\rtf…", or a fragment that opens with a group and a control word.
    if (i + 2 < in.size() && in[i] == '{' && in[i + 1] == '\\') {
        const char c = in[i + 2];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            return i;
    }
    return -1;
}

} // namespace

Parser::Parser(QByteArrayView input) : m_input(input), m_tokens(input) {}

Parser::~Parser() = default;

bool Parser::parse(DocumentModel& out, QString* error) {
    const qsizetype start = rtfStart(m_input);
    if (start < 0) {
        if (error)
            *error = m_input.isEmpty() ? QStringLiteral("The file is empty.")
                                       : QStringLiteral("The file is not in Rich Text Format.");
        return false;
    }
    m_tokens = Tokenizer(m_input.sliced(start));
    m_out = &out;
    m_tables = std::make_unique<TableBuilder>(out.blocks, TableBuilder::cellBudget(m_input.size()));
    m_groups.reserve(64);
    run();
    return true;
}

void Parser::run() {
    // The document group itself is the first "{".
    for (;;) {
        const Token t = m_tokens.next();
        if (t.kind == Token::End)
            break;
        if (m_groups.isEmpty() && t.kind != Token::GroupStart)
            continue; // only whitespace stands before the document group
        if (m_overflowDepth > 0 && t.kind != Token::GroupStart && t.kind != Token::GroupEnd)
            continue; // inside groups nested too deeply
        switch (t.kind) {
        case Token::GroupStart:
            groupStart();
            break;
        case Token::GroupEnd:
            groupEnd();
            break;
        case Token::ControlWord:
            controlWord(t);
            break;
        case Token::ControlSymbol:
            controlSymbol(t.symbol);
            break;
        case Token::HexByte:
            hexByte(t.byte);
            break;
        case Token::Text:
            text(t.data);
            break;
        case Token::Binary:
            binary(t.data);
            break;
        case Token::End:
            break;
        }
        m_atGroupStart = t.kind == Token::GroupStart ||
                         (m_atGroupStart && t.kind == Token::ControlSymbol && t.symbol == '*');
        if (m_rootClosed)
            break; // what follows the document group is not part of it
    }
    // Files cut short still show what they hold.
    flushText();
    if (!m_spans.isEmpty())
        endParagraph();
    m_tables->finish();
}

void Parser::groupStart() {
    m_ignorable = false;
    m_skipChars = 0;
    if (m_overflowDepth > 0 || m_groups.size() >= MaxGroupDepth) {
        ++m_overflowDepth;
        return;
    }
    if (m_groups.isEmpty()) {
        m_groups.append(Group());
        return;
    }
    Group child = g();
    child.inUpr = false;
    child.uprChild = false;
    child.fieldStart = false;
    if (g().inUpr) {
        // The plain subgroup of \upr is the fallback for the \ud subgroup.
        child.uprChild = true;
        child.uprDest = g().uprDest;
        child.dest = Dest::Skip;
    }
    m_groups.append(std::move(child));
}

void Parser::groupEnd() {
    m_ignorable = false;
    m_skipChars = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_groups.isEmpty())
        return;
    const Group& closing = g();
    const Dest parentDest = m_groups.size() >= 2 ? m_groups[m_groups.size() - 2].dest : Dest::Skip;
    switch (closing.dest) {
    case Dest::Picture:
        if (m_picture && parentDest != Dest::Picture) {
            // The picture shows with the character properties of its group.
            const Span span =
                m_pictures.make(m_picture->picture, charFormat(closing.chars), m_out->pictures);
            m_picture.reset();
            if (span.format.isImageFormat() && !closing.chars.hidden && parentDest == Dest::Text)
                addPictureSpan(span);
        }
        break;
    case Dest::Legacy:
        if (parentDest != Dest::Legacy && m_groups.size() >= 2)
            m_groups[m_groups.size() - 2].para.pn = m_pn;
        break;
    case Dest::FontTable:
        if (parentDest == Dest::FontTable)
            finishFontEntry();
        break;
    default:
        break;
    }
    if (m_groups.size() == 1) {
        m_rootClosed = true;
        return;
    }
    const int endedField = closing.fieldStart ? closing.field : -1;
    m_groups.removeLast();
    if (endedField >= 0)
        finishField(endedField);
}

void Parser::controlSymbol(char c) {
    if (c == '*') {
        m_ignorable = m_atGroupStart;
        return;
    }
    m_ignorable = false;
    if (g().dest == Dest::Skip)
        return;
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    const Dest d = g().dest;
    if (d != Dest::Text && d != Dest::FieldInst)
        return;
    if (d == Dest::FieldInst) {
        if (c == '\\' || c == '{' || c == '}') {
            QString& inst = m_fieldInstructions[g().field];
            if (inst.size() < 4096)
                inst += QLatin1Char(c);
        }
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        addBytes(QByteArrayView(&c, 1));
        break;
    case '~':
        addChar(0x00A0);
        break;
    case '-':
        addChar(0x00AD);
        break;
    case '_':
        addChar(0x2011);
        break;
    case '\n':
        endParagraph();
        break;
    case '\t':
        addChar(u'\t');
        break;
    default:
        break; // "\:" (index subentry), "\|" (formula) and unknown symbols
    }
}

void Parser::text(QByteArrayView data) {
    m_ignorable = false;
    switch (g().dest) {
    case Dest::Skip:
    case Dest::ListTable:
    case Dest::ListOverride:
    case Dest::Legacy:
        return;
    case Dest::LevelText:
        for (char c : data) {
            if (m_skipChars > 0)
                --m_skipChars;
            else if (c != ';')
                m_lists.levelTextUnit(-1 - int(static_cast<unsigned char>(c)));
        }
        return;
    case Dest::LegacyText: {
        QString& t = g().legacyAfter ? m_pn.after : m_pn.before;
        if (t.size() < 32)
            t += QString::fromLatin1(data.data(), qMin<qsizetype>(data.size(), 32));
        return;
    }
    case Dest::Picture:
        if (m_picture)
            m_picture->hexText(data);
        return;
    case Dest::FontTable: {
        if (m_currentFontEntry == INT_MIN)
            return;
        for (char c : data) {
            if (c == ';') {
                finishFontEntry();
            } else if (m_currentFontEntry != INT_MIN) {
                FontEntry& f = m_fonts[m_currentFontEntry];
                if (f.nameBytes.size() < 256)
                    f.nameBytes += c;
            }
        }
        return;
    }
    case Dest::ColorTable:
        for (char c : data)
            if (c == ';')
                finishColorEntry();
        return;
    case Dest::FieldInst: {
        QString& inst = m_fieldInstructions[g().field];
        if (inst.size() < 4096)
            inst += QString::fromLatin1(data.data(), qMin<qsizetype>(data.size(), 4096));
        return;
    }
    case Dest::Text:
        break;
    }
    if (m_skipChars > 0) {
        const qsizetype skip = qMin<qsizetype>(m_skipChars, data.size());
        m_skipChars -= int(skip);
        data = data.sliced(skip);
    }
    if (!data.isEmpty())
        addBytes(data);
}

void Parser::hexByte(unsigned char b) {
    m_ignorable = false;
    const Dest d = g().dest;
    if (d != Dest::Text && d != Dest::FontTable && d != Dest::FieldInst && d != Dest::LevelText)
        return;
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    const char c = char(b);
    if (d == Dest::LevelText) {
        m_lists.levelTextUnit(-1 - int(b));
        return;
    }
    if (d == Dest::FontTable) {
        if (m_currentFontEntry != INT_MIN) {
            FontEntry& f = m_fonts[m_currentFontEntry];
            if (f.nameBytes.size() < 256)
                f.nameBytes += c;
        }
        return;
    }
    if (d == Dest::FieldInst) {
        QString& inst = m_fieldInstructions[g().field];
        if (inst.size() < 4096)
            inst += QChar(b);
        return;
    }
    addBytes(QByteArrayView(&c, 1));
}

void Parser::binary(QByteArrayView data) {
    m_ignorable = false;
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    if (g().dest == Dest::Picture && m_picture)
        m_picture->binary(data);
}

void Parser::controlWord(const Token& t) {
    const bool ignorable = m_ignorable;
    m_ignorable = false;
    const QByteArrayView w = t.word;
    Group& grp = g();
    if (grp.dest == Dest::Skip) {
        // Only the Unicode part of \upr leaves a skipped fallback group.
        if (grp.uprChild && w == "ud")
            grp.dest = grp.uprDest;
        else if (grp.footnote && w == "ftnalt")
            lastMarkIsEndnote();
        return;
    }
    if (destinationWord(w))
        return;
    if (ignorable) {
        g().dest = Dest::Skip; // an optional destination this reader does not know
        return;
    }
    switch (g().dest) {
    case Dest::FontTable:
        fontTableWord(w, t);
        return;
    case Dest::ColorTable:
        colorTableWord(w, t);
        return;
    case Dest::Picture:
        if (m_picture)
            m_picture->word(w, t.hasParam, t.param);
        return;
    case Dest::ListTable:
    case Dest::LevelText:
    case Dest::ListOverride:
    case Dest::Legacy:
    case Dest::LegacyText:
        listWord(w, t);
        return;
    case Dest::FieldInst:
        return;
    case Dest::Skip:
    case Dest::Text:
        break;
    }
    if (w == "u" && t.hasParam) {
        const int code = t.param < 0 ? t.param + 65536 : t.param;
        if (m_skipChars > 0)
            m_skipChars = 0; // a new character ends the previous fallback
        if (code >= 0 && code <= 0xFFFF)
            addChar(char16_t(code));
        m_skipChars = g().unicodeSkip;
        return;
    }
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    if (characterWord(w, t) || paragraphWord(w, t) || tableWord(w, t) || specialWord(w))
        return;
    documentWord(w, t);
}

} // namespace rtf
