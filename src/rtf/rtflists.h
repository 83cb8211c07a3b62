#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <array>

// Numbered and bulleted paragraphs: Word's list table (\listtable,
// \listoverridetable, paragraphs with \lsN \ilvlN) and the older paragraph
// numbering of Word 6 and WordPad (\pn). Labels are made from the
// definitions, as word processors do, not taken from the \listtext copies.
namespace rtf {

// A character of a label as written: a Unicode character (>= 0), or a byte
// of the level's font code page (-1 - byte), or a level number placeholder.
struct LabelText {
    QList<int> units;
    int font = -1; // font table number of the label, -1: the paragraph's
};

// \pn properties of one paragraph.
struct LegacyNumbering {
    bool active = false;
    bool bullet = false; // \pnlvlblt
    bool cont = false;   // \pnlvlcont: part of the item above, without a number
    int level = 0;       // \pnlvlN, 10 for \pnlvlbody
    int format = 0;      // as \levelnfc
    int start = 1;
    int font = -1;
    QString before, after; // \pntxtb, \pntxta
    bool operator==(const LegacyNumbering&) const = default;
};

class ListTable {
public:
    static constexpr int MaxLevels = 9;

    // Reading \listtable.
    void beginList();
    void beginLevel();
    void listWord(QByteArrayView w, bool hasParam, int param);
    void levelTextUnit(int unit);
    // Reading \listoverridetable.
    void beginOverride();
    void overrideWord(QByteArrayView w, bool hasParam, int param);

    // The label of the next paragraph of list override ls at level ilvl, or
    // nothing when the override or its list is not defined. Counts the item.
    bool nextLabel(int ls, int ilvl, LabelText* label);
    // The label of a \pn paragraph; counts the item.
    QString nextLegacyLabel(const LegacyNumbering& pn);
    // A paragraph without \pn ends the current run of \pn numbering.
    void endLegacyRun() { m_legacyLast = -1; }

    // A number in a list number format (\levelnfcN).
    static QString formatNumber(int n, int format);

private:
    struct Level {
        int format = 0;
        int start = 1;
        int follow = 0; // 0 tab, 1 space, 2 nothing
        int font = -1;
        QList<int> text;
    };
    struct List {
        int id = 0;
        QList<Level> levels;
    };
    struct Override {
        int listId = 0;
        QHash<int, int> startAt; // level -> start
        int pendingLevel = -1;
    };
    Level* currentLevel();

    QList<List> m_lists;
    bool m_inLevel = false;
    QHash<int, Override> m_overrides;
    Override m_reading;
    int m_readingLs = 0;
    QHash<int, std::array<int, MaxLevels>> m_counters;

    std::array<int, 11> m_legacyCounters{};
    int m_legacyLast = -1;
};

} // namespace rtf
