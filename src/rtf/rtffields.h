#pragma once

#include <QString>

// What the reader makes of a field's instruction (\fldinst). Fields show
// their stored result; these are the instructions that say more.
namespace rtf {

// The target of a HYPERLINK instruction, or empty.
QString hyperlinkTarget(const QString& instruction);

// A SYMBOL instruction: one character of a font, e.g.
// SYMBOL 183 \f "Symbol" \s 10.
struct SymbolField {
    int code = 0;         // the character's number
    bool unicode = false; // \u: the number is a Unicode character, not a byte of the font
    QString font;         // \f, the font's name; empty for the text's own font
    int points = 0;       // \s, the size in points; 0 for the text's own size
};

// False when the instruction is not a SYMBOL field with a usable number.
bool symbolField(const QString& instruction, SymbolField* out);

} // namespace rtf
