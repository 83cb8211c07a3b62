#include "rtffields.h"

#include <QStringList>

namespace rtf {

namespace {

// The words of an instruction; a quoted word keeps its blanks.
QStringList instructionWords(const QString& instruction) {
    QStringList words;
    QString word;
    bool quoted = false, inWord = false;
    for (QChar c : instruction) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (c.isSpace() && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

} // namespace

QString hyperlinkTarget(const QString& instruction) {
    const QString inst = instruction.trimmed();
    if (!inst.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    const qsizetype open = inst.indexOf(QLatin1Char('"'));
    if (open >= 0) {
        const qsizetype close = inst.indexOf(QLatin1Char('"'), open + 1);
        if (close > open)
            return inst.mid(open + 1, close - open - 1);
    }
    const QStringList parts = inst.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return parts.size() > 1 ? parts[1] : QString();
}

bool symbolField(const QString& instruction, SymbolField* out) {
    const QStringList words = instructionWords(instruction);
    if (words.size() < 2 || words[0].compare(QLatin1String("SYMBOL"), Qt::CaseInsensitive) != 0)
        return false;
    bool ok = false;
    SymbolField s;
    s.code = words[1].startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                 ? words[1].mid(2).toInt(&ok, 16)
                 : words[1].toInt(&ok, 10);
    if (!ok || s.code <= 0 || s.code > 0x10FFFF)
        return false;
    for (qsizetype i = 2; i < words.size(); ++i) {
        const QString sw = words[i].toLower();
        if (sw == QLatin1String("\\f") && i + 1 < words.size())
            s.font = words[++i].trimmed();
        else if (sw == QLatin1String("\\s") && i + 1 < words.size())
            s.points = qBound(0, words[++i].toInt(), 1638);
        else if (sw == QLatin1String("\\u"))
            s.unicode = true;
    }
    *out = s;
    return true;
}

} // namespace rtf
