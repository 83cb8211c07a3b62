#pragma once

#include "rtfcodepages.h"
#include "rtflists.h"
#include "rtfmodel.h"
#include "rtfpictures.h"
#include "rtftables.h"
#include "rtftokenizer.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <climits>

namespace rtf {

// Character properties of a group, as the control words set them.
struct CharProps {
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    int underline = 0;   // a QTextCharFormat::UnderlineStyle, 0 for none
    int fontSize = 24;   // half points
    int font = -1;       // font table number, -1 for the document's default font
    int foreground = -1; // colour table index, -1 for automatic
    int background = -1;
    int vertical = 0; // 0 normal, 1 superscript, 2 subscript
    int caps = 0;     // 0 as written, 1 all capitals, 2 small capitals
    QString href;     // target of the hyperlink field the text belongs to
    bool operator==(const CharProps&) const = default;
};

struct TabStop {
    int position = 0; // twips
    int type = 0;     // 0 left, 1 centre, 2 right, 3 decimal
    bool operator==(const TabStop&) const = default;
};

// Paragraph properties of a group.
struct ParaProps {
    int alignment = 0;                                    // 0 left, 1 centre, 2 right, 3 justified
    int leftIndent = 0, rightIndent = 0, firstIndent = 0; // twips
    int spaceBefore = 0, spaceAfter = 0;                  // twips
    int lineSpacing = 0;                                  // \sl, twips; 0 single
    bool lineMultiple = false;                            // \slmult1
    bool inTable = false;                                 // \intbl
    int tableLevel = 0;                                   // \itapN
    bool pageBreakBefore = false;
    bool rightToLeft = false;
    int listOverride = -1; // \lsN; -1 for none
    int listLevel = 0;     // \ilvlN
    LegacyNumbering pn;    // \pn
    QList<TabStop> tabs;
    int pendingTabType = 0;
    int level() const { return inTable ? qMax(tableLevel, 1) : qMax(tableLevel, 0); }
};

enum class Dest {
    Text,         // shown text
    Skip,         // nothing of the group is shown
    FontTable,    // \fonttbl
    ColorTable,   // \colortbl
    FieldInst,    // \fldinst: the instruction of a field
    Picture,      // \pict
    ListTable,    // \listtable
    LevelText,    // \leveltext of a list level
    ListOverride, // \listoverridetable
    Legacy,       // \pn: Word 6 paragraph numbering
    LegacyText,   // \pntxtb, \pntxta
};

struct Group {
    Dest dest = Dest::Text;
    CharProps chars;
    ParaProps para;
    int unicodeSkip = 1; // \ucN
    int field = -1;      // index of the field this group belongs to
    bool inUpr = false;  // a \upr group: its plain subgroup is the fallback
    Dest uprDest = Dest::Text;
    bool uprChild = false;
    bool nestTableProps = false;
    bool legacyAfter = false; // a \pntxta group
    bool footnote = false;    // a \footnote group
    bool fieldStart = false;  // the \field group itself
};

struct FontEntry {
    QByteArray nameBytes;
    QString name;
    int charset = -1;
    int codePage = 0;
    int family = 0;  // 0 unknown, 1 roman, 2 swiss, 3 modern, 4 script, 5 decor
    int special = 0; // CodePage::Symbol or CodePage::Wingdings for those fonts
};

// Turns RTF bytes into a DocumentModel. Runs in time linear in the input and
// keeps every structure it builds within limits tied to the input's size.
class Parser {
public:
    explicit Parser(QByteArrayView input);
    ~Parser();

    // False when the input is not RTF at all.
    bool parse(DocumentModel& out, QString* error);

    // Groups nested deeper than this are read but not shown.
    static constexpr int MaxGroupDepth = 256;

private:
    void run();
    void groupStart();
    void groupEnd();
    void controlWord(const Token& t);
    void controlSymbol(char c);
    void text(QByteArrayView data);
    void hexByte(unsigned char b);
    void binary(QByteArrayView data);

    bool destinationWord(QByteArrayView w);
    bool characterWord(QByteArrayView w, const Token& t);
    bool paragraphWord(QByteArrayView w, const Token& t);
    bool tableWord(QByteArrayView w, const Token& t);
    bool specialWord(QByteArrayView w);
    void documentWord(QByteArrayView w, const Token& t);
    void fontTableWord(QByteArrayView w, const Token& t);
    void colorTableWord(QByteArrayView w, const Token& t);

    // Text into the current paragraph (or list label).
    void addBytes(QByteArrayView bytes);
    void addChar(char16_t c);
    void addString(const QString& s);
    void prepareText();
    void flushBytes();
    void flushText();
    int currentCodePage() const;
    QTextCharFormat charFormat(const CharProps& p);
    QTextBlockFormat blockFormat(const ParaProps& p) const;

    void endParagraph(int level = -1);
    void addPictureSpan(const Span& span);
    Span labelSpan(const LabelText& label, CharProps props);
    void listWord(QByteArrayView w, const Token& t);
    void finishFontEntry();
    void finishColorEntry();

    Group& g() { return m_groups.back(); }
    const Group& g() const { return m_groups.back(); }

    QByteArrayView m_input;
    Tokenizer m_tokens;
    QList<Group> m_groups;
    int m_overflowDepth = 0; // groups opened beyond MaxGroupDepth
    bool m_rootClosed = false;
    // "\*" right after a group's "{": the group may be skipped when its first
    // word is unknown. Elsewhere "\*" changes nothing, as unknown words are
    // ignored anyway.
    bool m_ignorable = false;
    bool m_atGroupStart = false; // nothing but "\*" since the last "{"
    int m_skipChars = 0;         // fallback characters still to skip after \uN

    // Document-wide settings.
    int m_codePage = CodePage::Ansi;
    int m_defaultFont = 0; // \deffN; font 0 unless the document says otherwise
    QHash<int, FontEntry> m_fonts;
    int m_currentFontEntry = INT_MIN; // INT_MIN: none
    QList<QColor> m_colors;           // invalid colour for "automatic"
    int m_red = -1, m_green = -1, m_blue = -1;
    ListTable m_lists;
    LegacyNumbering m_pn; // the \pn group being read
    QList<QString> m_fieldInstructions;
    // Per field, how much had been shown when its result began (see m_shown).
    QHash<int, qint64> m_fieldResultFrom;
    void finishField(int field);
    int fontNamed(const QString& name);
    // Footnote and endnote marks (\chftn): counters, number formats, and the
    // last mark, which becomes an endnote mark when its note says \ftnalt.
    int m_footnoteNumber = 0, m_endnoteNumber = 0;
    int m_footnoteStart = 1, m_endnoteStart = 1;
    int m_footnoteFormat = 0, m_endnoteFormat = 2;
    qsizetype m_lastNoteSpan = -1;
    void noteMark();
    void lastMarkIsEndnote();
    int m_definitionLevel = 1; // table level the row words describe
    int m_borderTarget = 0;    // 1 after a cell border word, 2 after a row border word

    // Text being collected.
    QByteArray m_bytes;
    int m_bytesCodePage = CodePage::Ansi;
    QString m_text;
    CharProps m_textProps;
    CharProps m_cachedProps;
    QTextCharFormat m_cachedFormat;
    bool m_haveCachedFormat = false;
    CodePageDecoder m_decoder;

    qint64 m_shown = 0; // characters and pictures shown so far

    // The paragraph being built.
    QList<Span> m_spans;
    bool m_pageBreakPending = false;

    DocumentModel* m_out = nullptr;
    std::unique_ptr<TableBuilder> m_tables;
    std::unique_ptr<PictureBuilder> m_picture;
    PictureStore m_pictures;
};

} // namespace rtf
