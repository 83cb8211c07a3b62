#include "rtflists.h"

#include <climits>

namespace rtf {

namespace {

constexpr int Unset = INT_MIN;

QString roman(int n, bool upper) {
    if (n <= 0 || n >= 4000)
        return QString::number(n);
    static const std::pair<int, const char*> parts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString s;
    for (const auto& [value, text] : parts)
        while (n >= value) {
            s += QLatin1String(text);
            n -= value;
        }
    return upper ? s.toUpper() : s;
}

QString letters(int n, bool upper) {
    if (n <= 0)
        return QString::number(n);
    // a..z, then aa..zz, as word processors count.
    const QChar c = QChar((upper ? 'A' : 'a') + (n - 1) % 26);
    return QString((n - 1) / 26 + 1, c);
}

} // namespace

QString ListTable::formatNumber(int n, int format) {
    switch (format) {
    case 1:
        return roman(n, true);
    case 2:
        return roman(n, false);
    case 3:
        return letters(n, true);
    case 4:
        return letters(n, false);
    case 22:
        return n < 10 && n >= 0 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
    case 23:
    case 255:
        return QString();
    default:
        return QString::number(n);
    }
}

void ListTable::beginList() {
    if (m_lists.size() < 10000)
        m_lists.append(List());
    m_inLevel = false;
}

void ListTable::beginLevel() {
    if (m_lists.isEmpty())
        return;
    QList<Level>& levels = m_lists.back().levels;
    m_inLevel = levels.size() < MaxLevels;
    if (m_inLevel)
        levels.append(Level());
}

ListTable::Level* ListTable::currentLevel() {
    if (!m_inLevel || m_lists.isEmpty() || m_lists.back().levels.isEmpty())
        return nullptr;
    return &m_lists.back().levels.back();
}

void ListTable::listWord(QByteArrayView w, bool hasParam, int param) {
    if (m_lists.isEmpty() || !hasParam)
        return;
    if (w == "listid") {
        m_lists.back().id = param;
        m_inLevel = false;
        return;
    }
    Level* level = currentLevel();
    if (!level)
        return;
    if (w == "levelnfc" || w == "levelnfcn")
        level->format = param;
    else if (w == "levelstartat")
        level->start = param;
    else if (w == "levelfollow")
        level->follow = param;
    else if (w == "f")
        level->font = param;
}

void ListTable::levelTextUnit(int unit) {
    Level* level = currentLevel();
    if (level && level->text.size() < 64)
        level->text << unit;
}

void ListTable::beginOverride() {
    m_reading = Override();
    m_readingLs = 0;
}

void ListTable::overrideWord(QByteArrayView w, bool hasParam, int param) {
    if (w == "lfolevel") {
        m_reading.pendingLevel = qMin(m_reading.pendingLevel + 1, MaxLevels - 1);
        return;
    }
    if (!hasParam)
        return;
    if (w == "listid") {
        m_reading.listId = param;
    } else if (w == "levelstartat" && m_reading.pendingLevel >= 0) {
        m_reading.startAt.insert(m_reading.pendingLevel, param);
    } else if (w == "ls") {
        m_readingLs = param;
        if (m_overrides.size() < 10000)
            m_overrides.insert(param, m_reading);
    }
}

bool ListTable::nextLabel(int ls, int ilvl, LabelText* label) {
    const auto ov = m_overrides.constFind(ls);
    if (ov == m_overrides.cend())
        return false;
    const List* list = nullptr;
    for (const List& l : m_lists)
        if (l.id == ov->listId) {
            list = &l;
            break;
        }
    if (!list || list->levels.isEmpty())
        return false;
    const int lvl = qBound(0, ilvl, int(list->levels.size()) - 1);
    auto counters = m_counters.constFind(ls) == m_counters.cend()
                        ? std::array<int, MaxLevels>{Unset, Unset, Unset, Unset, Unset,
                                                     Unset, Unset, Unset, Unset}
                        : m_counters.value(ls);
    const auto startOf = [&](int l) {
        return ov->startAt.value(l, l < list->levels.size() ? list->levels[l].start : 1);
    };
    counters[lvl] = counters[lvl] == Unset ? startOf(lvl) : counters[lvl] + 1;
    for (int d = lvl + 1; d < MaxLevels; ++d)
        counters[d] = Unset;
    m_counters.insert(ls, counters);

    const Level& level = list->levels[lvl];
    label->units.clear();
    label->font = level.font;
    // The first character is the label's length; \'00 to \'08 stand for level numbers.
    const int length = level.text.isEmpty() ? 0
                       : level.text[0] < 0  ? -1 - level.text[0]
                                            : level.text[0];
    for (int i = 1; i <= length && i < level.text.size(); ++i) {
        const int u = level.text[i];
        const int byte = u < 0 ? -1 - u : -1;
        if (byte >= 0 && byte < MaxLevels) {
            const int n = counters[byte] == Unset ? startOf(byte) : counters[byte];
            const int format = byte < list->levels.size() ? list->levels[byte].format : 0;
            for (QChar c : formatNumber(n, format))
                label->units << c.unicode();
        } else {
            label->units << u;
        }
    }
    if (level.follow == 0)
        label->units << int(u'\t');
    else if (level.follow == 1)
        label->units << int(u' ');
    return true;
}

QString ListTable::nextLegacyLabel(const LegacyNumbering& pn) {
    const int level = qBound(0, pn.level, 10);
    if (pn.bullet) {
        m_legacyLast = level;
        return QStringLiteral("\u2022\t");
    }
    if (m_legacyLast < 0 || level > m_legacyLast)
        m_legacyCounters[level] = pn.start;
    else
        ++m_legacyCounters[level];
    for (int d = level + 1; d < 11; ++d)
        m_legacyCounters[d] = pn.start;
    m_legacyLast = level;
    return pn.before + formatNumber(m_legacyCounters[level], pn.format) + pn.after +
           QLatin1Char('\t');
}

} // namespace rtf
