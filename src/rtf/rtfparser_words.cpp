// The control words of the RTF reader, by the property they set.
#include "rtffields.h"
#include "rtfparser.h"

#include <algorithm>
#include <string_view>

namespace rtf {

namespace {

// Destinations whose content is never shown, sorted for binary search.
constexpr std::string_view kSkipped[] = {
    "aftncn",    "aftnsep",      "aftnsepc",     "annotation", "atnauthor",    "atndate",
    "atnicn",    "atnid",        "atnparent",    "atnref",     "atntime",      "atrfend",
    "atrfstart", "author",       "bkmkend",      "bkmkstart",  "buptim",       "colorschememapping",
    "comment",   "company",      "creatim",      "datafield",  "datastore",    "do",
    "doccomm",   "docvar",       "falt",         "ffdeftext",  "ffentrymcr",   "ffexitmcr",
    "ffformat",  "ffhelptext",   "ffl",          "ffname",     "ffstattext",   "filetbl",
    "fldtype",   "fname",        "footer",       "footerf",    "footerl",      "footerr",
    "footnote",  "formfield",    "ftncn",        "ftnsep",     "ftnsepc",      "generator",
    "header",    "headerf",      "headerl",      "headerr",    "hlinkbase",    "info",
    "keywords",  "latentstyles", "levelnumbers", "listname",   "listpicture",  "listtext",
    "mmath",     "mmathPr",      "nonesttables", "nonshppict", "objalias",     "objclass",
    "objdata",   "objname",      "objsect",      "objtime",    "oldcprops",    "oldpprops",
    "oldsprops", "oldtprops",    "operator",     "panose",     "passwordhash", "pgdsctbl",
    "picprop",   "pnseclvl",     "pntext",       "printim",    "private",      "protusertbl",
    "revtbl",    "revtim",       "rsidtbl",      "rxe",        "shpinst",      "shprslt",
    "sn",        "sp",           "stylesheet",   "subject",    "sv",           "tc",
    "template",  "themedata",    "title",        "txe",        "userprops",    "wgrffmtfilter",
    "xe",        "xmlattrname",  "xmlattrvalue", "xmlclose",   "xmlnstbl",     "xmlopen",
};

bool isSkipped(QByteArrayView w) {
    const std::string_view key(w.data(), size_t(w.size()));
    return std::binary_search(std::begin(kSkipped), std::end(kSkipped), key);
}

// The encoding of a font that has one of its own, else 0.
int specialFontOf(const QString& name) {
    if (name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
        return CodePage::Symbol;
    if (name.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0)
        return CodePage::Wingdings;
    return 0;
}

bool on(const Token& t) {
    return !t.hasParam || t.param != 0;
}

int clampTwips(int v) {
    return qBound(-31680, v, 31680);
}

} // namespace

bool Parser::destinationWord(QByteArrayView w) {
    Group& grp = g();
    if (w == "fonttbl") {
        grp.dest = Dest::FontTable;
        m_currentFontEntry = INT_MIN;
    } else if (w == "colortbl") {
        grp.dest = Dest::ColorTable;
        m_red = m_green = m_blue = -1;
    } else if (w == "field") {
        if (m_fieldInstructions.size() < 100000)
            m_fieldInstructions.append(QString());
        grp.field = int(m_fieldInstructions.size()) - 1;
        grp.fieldStart = true;
    } else if (w == "fldinst") {
        if (grp.field < 0) {
            m_fieldInstructions.append(QString());
            grp.field = int(m_fieldInstructions.size()) - 1;
        }
        grp.dest = Dest::FieldInst;
    } else if (w == "fldrslt") {
        grp.dest = Dest::Text;
        if (grp.field >= 0) {
            grp.chars.href = hyperlinkTarget(m_fieldInstructions[grp.field]);
            m_fieldResultFrom.insert(grp.field, m_shown);
        }
    } else if (w == "pict") {
        if (grp.dest == Dest::Text && !m_picture) {
            grp.dest = Dest::Picture;
            m_picture = std::make_unique<PictureBuilder>();
        } else {
            grp.dest = Dest::Skip;
        }
    } else if (w == "listtable") {
        grp.dest = Dest::ListTable;
    } else if (w == "list" && grp.dest == Dest::ListTable) {
        m_lists.beginList();
    } else if (w == "listlevel" && grp.dest == Dest::ListTable) {
        m_lists.beginLevel();
    } else if (w == "leveltext" || w == "listlevel" || w == "list") {
        // Parts of a list definition outside the list table are not shown.
        grp.dest = grp.dest == Dest::ListTable && w == "leveltext" ? Dest::LevelText : Dest::Skip;
    } else if (w == "listoverridetable") {
        grp.dest = Dest::ListOverride;
    } else if (w == "listoverride" && grp.dest == Dest::ListOverride) {
        m_lists.beginOverride();
    } else if (w == "pn" && grp.dest == Dest::Text) {
        grp.dest = Dest::Legacy;
        m_pn = LegacyNumbering();
        m_pn.active = true;
    } else if ((w == "pntxtb" || w == "pntxta") && grp.dest == Dest::Legacy) {
        grp.dest = Dest::LegacyText;
        grp.legacyAfter = w == "pntxta";
        (grp.legacyAfter ? m_pn.after : m_pn.before).clear();
    } else if (w == "nesttableprops") {
        grp.nestTableProps = true;
    } else if (w == "upr") {
        grp.inUpr = true;
        grp.uprDest = grp.dest;
    } else if (w == "ud" || w == "shppict") {
        // Containers of shown content: the group keeps its destination.
    } else if (w == "footnote") {
        grp.dest = Dest::Skip; // the note's text is not shown, only its mark
        grp.footnote = true;
    } else if (isSkipped(w)) {
        grp.dest = Dest::Skip;
    } else {
        return false;
    }
    return true;
}

bool Parser::characterWord(QByteArrayView w, const Token& t) {
    CharProps& c = g().chars;
    if (w == "plain") {
        const QString href = c.href;
        c = CharProps();
        c.href = href;
    } else if (w == "b") {
        c.bold = on(t);
    } else if (w == "i") {
        c.italic = on(t);
    } else if (w == "strike" || w == "striked") {
        c.strike = on(t);
    } else if (w == "v") {
        c.hidden = on(t);
    } else if (w == "caps") {
        c.caps = on(t) ? 1 : 0;
    } else if (w == "scaps") {
        c.caps = on(t) ? 2 : 0;
    } else if (w == "ul" || w == "uldb" || w == "ulth" || w == "ulw") {
        c.underline = on(t) ? QTextCharFormat::SingleUnderline : 0;
    } else if (w == "ulnone") {
        c.underline = 0;
    } else if (w == "uld" || w == "ulthd") {
        c.underline = on(t) ? QTextCharFormat::DotLine : 0;
    } else if (w == "uldash" || w == "uldashd" || w == "uldashdd" || w == "ulldash" ||
               w == "ulthdash" || w == "ulthdashd" || w == "ulthdashdd" || w == "ulthldash") {
        c.underline = on(t) ? QTextCharFormat::DashUnderline : 0;
    } else if (w == "ulwave" || w == "ulhwave" || w == "ululdbwave") {
        c.underline = on(t) ? QTextCharFormat::WaveUnderline : 0;
    } else if (w == "fs") {
        c.fontSize = t.hasParam ? qBound(2, t.param, 3276) : 24;
    } else if (w == "f") {
        if (t.hasParam)
            c.font = t.param;
    } else if (w == "cf") {
        c.foreground = t.param > 0 ? t.param : -1;
    } else if (w == "cb" || w == "chcbpat" || w == "highlight") {
        c.background = t.param > 0 ? t.param : -1;
    } else if (w == "super") {
        c.vertical = 1;
    } else if (w == "sub") {
        c.vertical = 2;
    } else if (w == "nosupersub") {
        c.vertical = 0;
    } else if (w == "up") {
        c.vertical = t.param > 0 ? 1 : 0;
    } else if (w == "dn") {
        c.vertical = t.param > 0 ? 2 : 0;
    } else {
        return false;
    }
    return true;
}

bool Parser::paragraphWord(QByteArrayView w, const Token& t) {
    ParaProps& p = g().para;
    if (w == "pard") {
        p = ParaProps();
    } else if (w == "ql") {
        p.alignment = 0;
    } else if (w == "qc") {
        p.alignment = 1;
    } else if (w == "qr") {
        p.alignment = 2;
    } else if (w == "qj" || w == "qd") {
        p.alignment = 3;
    } else if (w == "li" || w == "lin") {
        p.leftIndent = clampTwips(t.param);
    } else if (w == "ri" || w == "rin") {
        p.rightIndent = clampTwips(t.param);
    } else if (w == "fi") {
        p.firstIndent = clampTwips(t.param);
    } else if (w == "sb") {
        p.spaceBefore = qBound(0, t.param, 31680);
    } else if (w == "sa") {
        p.spaceAfter = qBound(0, t.param, 31680);
    } else if (w == "sl") {
        p.lineSpacing = clampTwips(t.param);
    } else if (w == "slmult") {
        p.lineMultiple = on(t);
    } else if (w == "intbl") {
        p.inTable = true;
    } else if (w == "itap") {
        p.tableLevel = qBound(0, t.param, TableBuilder::MaxLevel);
    } else if (w == "pagebb") {
        p.pageBreakBefore = on(t);
    } else if (w == "rtlpar") {
        p.rightToLeft = true;
    } else if (w == "ltrpar") {
        p.rightToLeft = false;
    } else if (w == "ls") {
        p.listOverride = qMax(0, t.param);
    } else if (w == "ilvl") {
        p.listLevel = qBound(0, t.param, ListTable::MaxLevels - 1);
    } else if (w == "tqc") {
        p.pendingTabType = 1;
    } else if (w == "tqr") {
        p.pendingTabType = 2;
    } else if (w == "tqdec") {
        p.pendingTabType = 3;
    } else if (w == "tx") {
        if (p.tabs.size() < 64)
            p.tabs << TabStop{qBound(0, t.param, 31680), p.pendingTabType};
        p.pendingTabType = 0;
    } else {
        return false;
    }
    return true;
}

bool Parser::tableWord(QByteArrayView w, const Token& t) {
    if (w == "trowd") {
        m_definitionLevel = g().nestTableProps ? qMax(2, g().para.level()) : 1;
        m_tables->resetDefinition(m_definitionLevel);
        m_borderTarget = 0;
        return true;
    }
    if (w == "cell" || w == "nestcell") {
        // \cell always ends a cell of the outermost table.
        const int level = w == "cell" ? 1 : qMax(2, g().para.level());
        endParagraph(level);
        m_tables->endCell(level);
        return true;
    }
    if (w == "row" || w == "nestrow") {
        const int level = w == "row" ? 1 : qMax(2, g().para.level());
        flushText();
        if (!m_spans.isEmpty())
            endParagraph(level);
        m_tables->endRow(level);
        return true;
    }
    RowDef& def = m_tables->definition(m_definitionLevel);
    CellDef& cell = m_tables->pendingCell(m_definitionLevel);
    if (w == "cellx") {
        m_tables->addCellBoundary(m_definitionLevel, clampTwips(t.param));
        m_borderTarget = 0;
    } else if (w == "trleft") {
        def.left = clampTwips(t.param);
    } else if (w == "trgaph") {
        def.gap = qBound(0, t.param, 1440);
    } else if (w == "trql") {
        def.alignment = Qt::AlignLeft;
    } else if (w == "trqc") {
        def.alignment = Qt::AlignHCenter;
    } else if (w == "trqr") {
        def.alignment = Qt::AlignRight;
    } else if (w == "clcbpat") {
        cell.background = t.param > 0 && t.param < m_colors.size() ? m_colors[t.param] : QColor();
    } else if (w == "clmgf") {
        cell.mergeFirst = true;
    } else if (w == "clmrg") {
        cell.mergeNext = true;
    } else if (w == "clvmgf") {
        cell.verticalFirst = true;
    } else if (w == "clvmrg") {
        cell.verticalNext = true;
    } else if (w.startsWith("clbrdr")) {
        m_borderTarget = 1;
    } else if (w.startsWith("trbrdr")) {
        m_borderTarget = 2;
    } else if (w.startsWith("brdr")) {
        const bool style = w != "brdrnone" && w != "brdrnil" && w != "brdrw" && w != "brdrcf" &&
                           w != "brdrbtw" && w != "brdrbar" && w != "brdrtbl" && w != "brdrsp";
        if (style && m_borderTarget == 1)
            cell.border = true;
        else if (style && m_borderTarget == 2)
            def.border = true;
    } else {
        return false;
    }
    return true;
}

bool Parser::specialWord(QByteArrayView w) {
    char16_t c = 0;
    if (w == "par" || w == "sect") {
        endParagraph();
        return true;
    }
    if (w == "page") {
        flushText();
        if (!m_spans.isEmpty())
            endParagraph();
        m_pageBreakPending = true;
        return true;
    }
    if (w == "chftn") {
        if (g().dest == Dest::Text && !g().chars.hidden)
            noteMark();
        return true;
    }
    if (w == "line")
        c = 0x2028;
    else if (w == "tab")
        c = u'\t';
    else if (w == "emdash")
        c = 0x2014;
    else if (w == "endash")
        c = 0x2013;
    else if (w == "bullet")
        c = 0x2022;
    else if (w == "lquote")
        c = 0x2018;
    else if (w == "rquote")
        c = 0x2019;
    else if (w == "ldblquote")
        c = 0x201C;
    else if (w == "rdblquote")
        c = 0x201D;
    else if (w == "emspace")
        c = 0x2003;
    else if (w == "enspace")
        c = 0x2002;
    else if (w == "qmspace")
        c = 0x2005;
    else if (w == "zwj")
        c = 0x200D;
    else if (w == "zwnj")
        c = 0x200C;
    else if (w == "ltrmark")
        c = 0x200E;
    else if (w == "rtlmark")
        c = 0x200F;
    else
        return false;
    addChar(c);
    return true;
}

void Parser::listWord(QByteArrayView w, const Token& t) {
    switch (g().dest) {
    case Dest::ListTable:
        m_lists.listWord(w, t.hasParam, t.param);
        break;
    case Dest::LevelText:
        if (w == "u" && t.hasParam) {
            m_lists.levelTextUnit(t.param < 0 ? t.param + 65536 : t.param);
            m_skipChars = g().unicodeSkip;
        }
        break;
    case Dest::ListOverride:
        m_lists.overrideWord(w, t.hasParam, t.param);
        break;
    case Dest::Legacy:
        if (w == "pnlvlblt")
            m_pn.bullet = true;
        else if (w == "pnlvlcont")
            m_pn.cont = true;
        else if (w == "pnlvlbody")
            m_pn.level = 10;
        else if (w == "pnlvl")
            m_pn.level = qBound(0, t.param, 9);
        else if (w == "pndec")
            m_pn.format = 0;
        else if (w == "pnucrm")
            m_pn.format = 1;
        else if (w == "pnlcrm")
            m_pn.format = 2;
        else if (w == "pnucltr")
            m_pn.format = 3;
        else if (w == "pnlcltr")
            m_pn.format = 4;
        else if (w == "pnstart")
            m_pn.start = t.param;
        else if (w == "pnf")
            m_pn.font = t.param;
        break;
    default:
        break;
    }
}

void Parser::documentWord(QByteArrayView w, const Token& t) {
    if (w == "ansi")
        m_codePage = CodePage::Ansi;
    else if (w == "mac")
        m_codePage = CodePage::MacRoman;
    else if (w == "pc")
        m_codePage = 437;
    else if (w == "pca")
        m_codePage = 850;
    else if (w == "ansicpg" && t.param > 0)
        m_codePage = t.param;
    else if (w == "deff" && t.hasParam)
        m_defaultFont = t.param;
    else if (w == "deftab" && t.param > 0)
        m_out->defaultTabTwips = qBound(15, t.param, 14400);
    else if (w == "uc")
        g().unicodeSkip = qBound(0, t.param, 16);
    else if (w == "ftnstart")
        m_footnoteStart = t.param;
    else if (w == "aftnstart")
        m_endnoteStart = t.param;
    else if (w.startsWith("ftnn") || w.startsWith("aftnn")) {
        // ar: 1, 2, 3; alc/auc: a, b, c; rlc/ruc: i, ii, iii.
        const QByteArrayView kind = w.sliced(w.startsWith("ftnn") ? 4 : 5);
        const int format = kind == "auc"   ? 3
                           : kind == "alc" ? 4
                           : kind == "ruc" ? 1
                           : kind == "rlc" ? 2
                                           : 0;
        (w.startsWith("ftnn") ? m_footnoteFormat : m_endnoteFormat) = format;
    }
}

void Parser::noteMark() {
    flushText();
    const int n = m_footnoteStart + m_footnoteNumber++;
    m_spans << Span{ListTable::formatNumber(n, m_footnoteFormat), charFormat(g().chars)};
    m_lastNoteSpan = m_spans.size() - 1;
}

void Parser::lastMarkIsEndnote() {
    if (m_lastNoteSpan < 0 || m_lastNoteSpan >= m_spans.size())
        return;
    --m_footnoteNumber;
    const int n = m_endnoteStart + m_endnoteNumber++;
    m_spans[m_lastNoteSpan].text = ListTable::formatNumber(n, m_endnoteFormat);
    m_lastNoteSpan = -1;
}

void Parser::fontTableWord(QByteArrayView w, const Token& t) {
    if (w == "f" && t.hasParam) {
        if (m_fonts.size() >= 10000 && !m_fonts.contains(t.param)) {
            m_currentFontEntry = INT_MIN;
            return;
        }
        m_currentFontEntry = t.param;
        m_fonts[t.param] = FontEntry();
        return;
    }
    if (m_currentFontEntry == INT_MIN)
        return;
    FontEntry& f = m_fonts[m_currentFontEntry];
    if (w == "fcharset")
        f.charset = t.param;
    else if (w == "cpg")
        f.codePage = t.param;
    else if (w == "froman")
        f.family = 1;
    else if (w == "fswiss")
        f.family = 2;
    else if (w == "fmodern")
        f.family = 3;
    else if (w == "fscript")
        f.family = 4;
    else if (w == "fdecor")
        f.family = 5;
}

void Parser::colorTableWord(QByteArrayView w, const Token& t) {
    const int v = qBound(0, t.param, 255);
    if (w == "red")
        m_red = v;
    else if (w == "green")
        m_green = v;
    else if (w == "blue")
        m_blue = v;
}

void Parser::finishFontEntry() {
    if (m_currentFontEntry == INT_MIN)
        return;
    FontEntry& f = m_fonts[m_currentFontEntry];
    int cp = f.codePage > 0 ? f.codePage : codePageOfCharset(f.charset);
    if (cp <= 0 || cp == CodePage::Symbol)
        cp = m_codePage;
    QString name;
    m_decoder.decode(cp, f.nameBytes, name);
    f.name = name.trimmed();
    f.nameBytes.clear();
    f.special = specialFontOf(f.name);
    m_currentFontEntry = INT_MIN;
}

int Parser::fontNamed(const QString& name) {
    for (auto it = m_fonts.cbegin(); it != m_fonts.cend(); ++it)
        if (it->name.compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    // A font the table does not list gets an entry of its own, numbered
    // beyond what documents use.
    constexpr int FirstUnlisted = 0x40000000;
    int key = FirstUnlisted;
    while (m_fonts.contains(key))
        ++key;
    if (key - FirstUnlisted >= 1000)
        return -1;
    FontEntry& f = m_fonts[key];
    f.name = name;
    f.special = specialFontOf(name);
    return key;
}

void Parser::finishColorEntry() {
    if (m_colors.size() < 10000) {
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colors << QColor();
        else
            m_colors << QColor(qMax(m_red, 0), qMax(m_green, 0), qMax(m_blue, 0));
    }
    m_red = m_green = m_blue = -1;
}

} // namespace rtf
