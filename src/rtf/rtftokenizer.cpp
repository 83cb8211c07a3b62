#include "rtftokenizer.h"

#include <limits>

namespace rtf {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Token Tokenizer::next() {
    const qsizetype n = m_in.size();
    while (m_pos < n) {
        const char c = m_in[m_pos];
        if (c == '{') {
            ++m_pos;
            return Token::of(Token::GroupStart);
        }
        if (c == '}') {
            ++m_pos;
            return Token::of(Token::GroupEnd);
        }
        if (c == '\\')
            return controlWord();
        if (c == '\r' || c == '\n' || c == '\0') {
            ++m_pos;
            continue;
        }
        const qsizetype start = m_pos;
        while (m_pos < n) {
            const char d = m_in[m_pos];
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n' || d == '\0')
                break;
            ++m_pos;
        }
        Token t = Token::of(Token::Text);
        t.data = m_in.sliced(start, m_pos - start);
        return t;
    }
    return Token::of(Token::End);
}

Token Tokenizer::controlWord() {
    const qsizetype n = m_in.size();
    ++m_pos; // the backslash
    if (m_pos >= n)
        return Token::of(Token::End);
    const char c = m_in[m_pos];
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            // Two hex digits; a broken escape keeps what is valid and yields no byte otherwise.
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < n && hexValue(m_in[m_pos]) >= 0) {
                value = value * 16 + hexValue(m_in[m_pos]);
                ++m_pos;
                ++digits;
            }
            if (digits == 0)
                return Token::of(Token::Text); // nothing usable: an empty run
            Token t = Token::of(Token::HexByte);
            t.byte = static_cast<unsigned char>(value);
            return t;
        }
        Token t = Token::of(Token::ControlSymbol);
        // A backslash before a line end is a paragraph mark.
        t.symbol = (c == '\r' || c == '\n') ? '\n' : c;
        return t;
    }
    Token t = Token::of(Token::ControlWord);
    const qsizetype start = m_pos;
    while (m_pos < n && isLetter(m_in[m_pos]) && m_pos - start < MaxWordLength)
        ++m_pos;
    t.word = m_in.sliced(start, m_pos - start);
    bool negative = false;
    if (m_pos + 1 < n && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < n && isDigit(m_in[m_pos])) {
        t.hasParam = true;
        qint64 value = 0;
        while (m_pos < n && isDigit(m_in[m_pos])) {
            if (value <= std::numeric_limits<int>::max())
                value = value * 10 + (m_in[m_pos] - '0');
            ++m_pos;
        }
        if (negative)
            value = -value;
        value = qBound(qint64(std::numeric_limits<int>::min()), value,
                       qint64(std::numeric_limits<int>::max()));
        t.param = static_cast<int>(value);
    }
    if (m_pos < n && m_in[m_pos] == ' ')
        ++m_pos; // the delimiting space belongs to the word
    if (t.word == "bin" && t.hasParam) {
        // Raw bytes follow; they may contain anything, braces included.
        const qsizetype len = qMin<qsizetype>(qMax(t.param, 0), n - m_pos);
        Token b = Token::of(Token::Binary);
        b.data = m_in.sliced(m_pos, len);
        m_pos += len;
        return b;
    }
    return t;
}

} // namespace rtf
