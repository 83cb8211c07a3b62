#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <map>
#include <memory>

namespace rtf {

// Code page numbers as RTF writes them (\ansicpgN, \cpgN), plus these.
namespace CodePage {
constexpr int Ansi = 1252;
constexpr int MacRoman = 10000;
constexpr int Symbol = 42;    // the Symbol font's own encoding
constexpr int Wingdings = 43; // the Wingdings font's bullets and ticks
constexpr int Utf8 = 65001;
} // namespace CodePage

// The code page of a font character set (\fcharsetN); 0 when the set names
// no code page of its own and the document's code page applies.
int codePageOfCharset(int charset);

// The Unicode character of a Symbol or Wingdings font byte (also written as
// U+F000 + byte); the byte itself when the font's encoding has no better one.
char16_t symbolFontChar(int codePage, unsigned char byte);

// Turns bytes of a code page into text. Single-byte code pages of Western,
// Central and Eastern Europe, Greek, Turkish, Hebrew, Arabic, Baltic,
// Vietnamese, Thai, DOS (437, 850) and Mac Roman are decoded from tables of
// our own; others (the East Asian double-byte pages, UTF-8) through the
// system's converters. Unknown code pages decode as 1252. Bytes below 0x80
// are ASCII in every single-byte page.
class CodePageDecoder {
public:
    CodePageDecoder();
    ~CodePageDecoder();
    void decode(int codePage, QByteArrayView bytes, QString& out);

private:
    QStringDecoder* converterFor(int codePage);
    std::map<int, std::unique_ptr<QStringDecoder>> m_converters;
};

} // namespace rtf
