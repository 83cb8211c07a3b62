#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace rtf {

// The value of a hexadecimal digit, or -1 for any other character.
int hexValue(char c);

// One lexical unit of an RTF stream. Views point into the tokenizer's input.
struct Token {
    enum Kind {
        End,           // no more input
        GroupStart,    // "{"
        GroupEnd,      // "}"
        ControlWord,   // "\name" with an optional numeric parameter
        ControlSymbol, // "\x" for a character x that is not a letter (not "\'")
        HexByte,       // "\'hh": one byte of text in the current code page
        Text,          // a run of text bytes (line ends removed)
        Binary,        // the data of "\binN" (already cut to the input's length)
    };
    Kind kind = End;
    QByteArrayView word;    // ControlWord: its letters
    bool hasParam = false;  // ControlWord: a parameter was written
    int param = 0;          // ControlWord: the parameter, clamped to 32 bits
    char symbol = 0;        // ControlSymbol: the character
    unsigned char byte = 0; // HexByte: the value
    QByteArrayView data;    // Text, Binary: the bytes

    static Token of(Kind k) {
        Token t;
        t.kind = k;
        return t;
    }
};

// Splits RTF bytes into tokens. Never reads beyond the input and always moves
// forward, so any byte sequence ends in End after at most size() + 1 calls.
class Tokenizer {
public:
    explicit Tokenizer(QByteArrayView input) : m_in(input) {}

    Token next();
    qsizetype position() const { return m_pos; }

    // Longest control word kept; longer letter runs are cut into several words.
    static constexpr int MaxWordLength = 32;

private:
    Token controlWord();

    QByteArrayView m_in;
    qsizetype m_pos = 0;
};

} // namespace rtf
