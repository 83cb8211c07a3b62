#include "rtfcodepages.h"

#include "rtfcodepages_tables.h"

#include <QList>

namespace rtf {

int codePageOfCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return CodePage::Symbol;
    case 77:
        return CodePage::MacRoman;
    case 78:
        return 10001; // Mac Japanese
    case 79:
        return 10003; // Mac Korean
    case 80:
        return 10008; // Mac Simplified Chinese
    case 81:
        return 10002; // Mac Traditional Chinese
    case 84:
        return 10004;
    case 85:
        return 10006;
    case 86:
        return 10081;
    case 88:
        return 10029;
    case 89:
        return 10007;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0; // 1 (default), 3 (invalid), 256 and the rest: the document's page
    }
}

char16_t symbolFontChar(int codePage, unsigned char b) {
    if (codePage == CodePage::Symbol)
        return b < 0x20 ? char16_t(b) : kSymbolFont[b - 0x20];
    switch (b) {
    case 0x6C:
        return 0x25CF; // black circle
    case 0x6E:
        return 0x25A0; // black square
    case 0x6F:
        return 0x25A1; // white square
    case 0x71:
        return 0x2751; // shadowed white square
    case 0x75:
        return 0x25C6; // black diamond
    case 0x76:
        return 0x2756; // black diamond minus white X
    case 0xA7:
        return 0x25AA; // small black square
    case 0xA8:
        return 0x25FB; // white medium square
    case 0xD8:
        return 0x27A2; // arrowhead
    case 0xFB:
        return 0x2718; // ballot X
    case 0xFC:
        return 0x2714; // check mark
    case 0xFD:
        return 0x2612; // ballot box with X
    case 0xFE:
        return 0x2611; // ballot box with check
    default:
        return char16_t(b);
    }
}

static const char16_t* singleByteTable(int codePage) {
    switch (codePage) {
    case 437:
        return kCodePage437;
    case 850:
        return kCodePage850;
    case 874:
        return kCodePage874;
    case 1250:
        return kCodePage1250;
    case 1251:
        return kCodePage1251;
    case 1252:
        return kCodePage1252;
    case 1253:
        return kCodePage1253;
    case 1254:
        return kCodePage1254;
    case 1255:
        return kCodePage1255;
    case 1256:
        return kCodePage1256;
    case 1257:
        return kCodePage1257;
    case 1258:
        return kCodePage1258;
    case CodePage::MacRoman:
        return kCodePage10000;
    default:
        return nullptr;
    }
}

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

QStringDecoder* CodePageDecoder::converterFor(int codePage) {
    auto it = m_converters.find(codePage);
    if (it != m_converters.end())
        return it->second.get();
    std::unique_ptr<QStringDecoder> conv;
    if (codePage == CodePage::Utf8) {
        conv = std::make_unique<QStringDecoder>(QStringConverter::Utf8,
                                                QStringConverter::Flag::Stateless);
    } else {
        const QByteArray number = QByteArray::number(codePage);
        QList<QByteArray> names;
        switch (codePage) {
        case 932:
            names = {"windows-31j", "Shift_JIS"};
            break;
        case 936:
            names = {"GBK", "GB2312"};
            break;
        case 949:
            names = {"windows-949", "EUC-KR"};
            break;
        case 950:
            names = {"windows-950", "Big5"};
            break;
        case 1361:
            names = {"johab"};
            break;
        case 10004:
            names = {"x-mac-arabic"};
            break;
        case 10006:
            names = {"x-mac-greek"};
            break;
        case 10007:
            names = {"x-mac-cyrillic"};
            break;
        case 10029:
            names = {"x-mac-centraleurroman"};
            break;
        case 10081:
            names = {"x-mac-turkish"};
            break;
        default:
            break;
        }
        names << "windows-" + number << "cp" + number << "IBM" + number;
        for (const QByteArray& name : names) {
            auto candidate = std::make_unique<QStringDecoder>(name.constData(),
                                                              QStringConverter::Flag::Stateless);
            if (candidate->isValid()) {
                conv = std::move(candidate);
                break;
            }
        }
    }
    QStringDecoder* raw = conv.get();
    m_converters.emplace(codePage, std::move(conv));
    return raw;
}

void CodePageDecoder::decode(int codePage, QByteArrayView bytes, QString& out) {
    if (bytes.isEmpty())
        return;
    // The Mac's East Asian encodings are the Windows ones in all that matters here.
    switch (codePage) {
    case 10001:
        codePage = 932;
        break;
    case 10002:
        codePage = 950;
        break;
    case 10003:
        codePage = 949;
        break;
    case 10008:
        codePage = 936;
        break;
    default:
        break;
    }
    if (codePage == CodePage::Symbol || codePage == CodePage::Wingdings) {
        out.reserve(out.size() + bytes.size());
        for (char c : bytes)
            out += QChar(symbolFontChar(codePage, static_cast<unsigned char>(c)));
        return;
    }
    const char16_t* table = singleByteTable(codePage);
    if (!table) {
        if (QStringDecoder* conv = converterFor(codePage)) {
            conv->resetState();
            out += conv->decode(bytes);
            return;
        }
        table = kCodePage1252;
    }
    out.reserve(out.size() + bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += b < 0x80 ? QChar(b) : QChar(table[b - 0x80]);
    }
}

} // namespace rtf
