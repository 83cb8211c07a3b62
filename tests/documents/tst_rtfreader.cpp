// The RTF reader on small hand-written documents: formatting, paragraphs,
// special characters, code pages, Unicode, fields, destinations, lists,
// tables and pictures.
#include "rtftesthelpers.h"

#include <QBuffer>
#include <QImage>
#include <QTextList>
#include <QTextTable>
#include <QtTest>

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void characterFormatting();
    void plainResetsAndGroupsRestore();
    void colours();
    void paragraphs();
    void alignment_data();
    void alignment();
    void specialCharacters_data();
    void specialCharacters();
    void codePages_data();
    void codePages();
    void fontCharsetOverridesDocumentCodePage();
    void doubleByteCodePage();
    void symbolFontIsUnicode();
    void unicode_data();
    void unicode();
    void fieldsShowTheirResult();
    void symbolFields_data();
    void symbolFields();
    void destinationsNotShown_data();
    void destinationsNotShown();
    void ignorableMarkInsideAGroup();
    void footnoteMarksAreNumbered();
    void listNumbering();
    void legacyNumbering();
    void unnumberedParagraphsOfAList();
    void simpleTable();
    void tableColumnsFromBoundaries();
    void nestedTable();
    void mergedCells();
    void textAfterTable_data();
    void textAfterTable();
    void pngPictureAtGoalSize();
    void pictureScaledAndBinary();
    void metafileBecomesEmptyBox();
    void notRtf_data();
    void notRtf();
    void contentAfterDocumentGroupIsIgnored();
    void truncatedDocumentKeepsItsText();
};

void TestRtfReader::characterFormatting() {
    const auto doc =
        readDoc(R"({\rtf1\ansi{\fonttbl{\f0\froman Times New Roman;}{\f1\fmodern Courier New;}})"
                R"({\b bold}{\i italic}{\ul under}{\ulnone none}{\strike struck}{\fs40 big})"
                R"({\f1 mono}{\super up}{\sub down}{\uldb double}\par})");
    QVERIFY(formatOf(*doc, "bold").font().bold());
    QVERIFY(!formatOf(*doc, "italic").font().bold());
    QVERIFY(formatOf(*doc, "italic").fontItalic());
    QCOMPARE(formatOf(*doc, "under").underlineStyle(), QTextCharFormat::SingleUnderline);
    QCOMPARE(formatOf(*doc, "none").underlineStyle(), QTextCharFormat::NoUnderline);
    QVERIFY(formatOf(*doc, "struck").fontStrikeOut());
    QCOMPARE(formatOf(*doc, "big").fontPointSize(), 20.0);
    QCOMPARE(formatOf(*doc, "bold").fontPointSize(), 12.0); // \fs24 unless written
    QCOMPARE(formatOf(*doc, "mono").fontFamilies().toStringList(),
             QStringList{QStringLiteral("Courier New")});
    QCOMPARE(formatOf(*doc, "bold").fontFamilies().toStringList(),
             QStringList{QStringLiteral("Times New Roman")}); // \deff0
    QCOMPARE(formatOf(*doc, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(*doc, "down").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(formatOf(*doc, "double").underlineStyle(), QTextCharFormat::SingleUnderline);
}

void TestRtfReader::plainResetsAndGroupsRestore() {
    const auto doc = readDoc(R"({\rtf1\b\i\fs30 one {\b0 two} three\plain  four\par})");
    QVERIFY(formatOf(*doc, "one").font().bold());
    QVERIFY(!formatOf(*doc, "two").font().bold());
    QVERIFY(formatOf(*doc, "two").fontItalic()); // only \b0 was in the group
    QVERIFY(formatOf(*doc, "three").font().bold());
    QCOMPARE(formatOf(*doc, "three").fontPointSize(), 15.0);
    QVERIFY(!formatOf(*doc, "four").font().bold());
    QVERIFY(!formatOf(*doc, "four").fontItalic());
    QCOMPARE(formatOf(*doc, "four").fontPointSize(), 12.0);
}

void TestRtfReader::colours() {
    const auto doc = readDoc(
        R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;\red255\green255)"
        R"(\blue0;}{\cf1 red}{\cb2 onblue}{\highlight3 marked}{\cf0 auto} {\cf9 none}\par})");
    QCOMPARE(formatOf(*doc, "red").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(*doc, "onblue").background().color(), QColor(0, 0, 255));
    QCOMPARE(formatOf(*doc, "marked").background().color(), QColor(255, 255, 0));
    QCOMPARE(formatOf(*doc, "auto").foreground().style(), Qt::NoBrush);
    QCOMPARE(formatOf(*doc, "none").foreground().style(), Qt::NoBrush); // no such colour
}

void TestRtfReader::paragraphs() {
    const auto doc = readDoc(
        R"({\rtf1\pard\li720\ri360\fi-360\sb120\sa240 first\par second\line same\tab tab\par)"
        R"(\pard after pard\page next page\par})");
    QCOMPARE(rtf::plainText(*doc),
             QStringLiteral("first\nsecond\nsame\ttab\nafter pard\nnext page"));
    const QTextBlockFormat first = blockFormatOf(*doc, "first");
    QCOMPARE(first.leftMargin(), 48.0); // 720 twips at 15 twips per pixel
    QCOMPARE(first.rightMargin(), 24.0);
    QCOMPARE(first.textIndent(), -24.0);
    QCOMPARE(first.topMargin(), 8.0);
    QCOMPARE(first.bottomMargin(), 16.0);
    // Paragraph properties last until \pard.
    QCOMPARE(blockFormatOf(*doc, "second").leftMargin(), 48.0);
    QCOMPARE(blockFormatOf(*doc, "after").leftMargin(), 0.0);
    QCOMPARE(blockFormatOf(*doc, "next page").pageBreakPolicy(),
             QTextFormat::PageBreak_AlwaysBefore);
    QVERIFY(doc->find(QStringLiteral("same")).block().text().contains(QChar::LineSeparator));
}

void TestRtfReader::alignment_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<int>("alignment");
    QTest::newRow("ql") << QByteArray("ql") << int(Qt::AlignLeft);
    QTest::newRow("qc") << QByteArray("qc") << int(Qt::AlignHCenter);
    QTest::newRow("qr") << QByteArray("qr") << int(Qt::AlignRight);
    QTest::newRow("qj") << QByteArray("qj") << int(Qt::AlignJustify);
}

void TestRtfReader::alignment() {
    QFETCH(QByteArray, word);
    QFETCH(int, alignment);
    const auto doc = readDoc("{\\rtf1\\pard\\" + word + " text\\par}");
    QCOMPARE(int(blockFormatOf(*doc, "text").alignment() & Qt::AlignHorizontal_Mask), alignment);
}

void TestRtfReader::specialCharacters_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("escapes") << QByteArray(R"(a\\b\{c\})") << QStringLiteral("a\\b{c}");
    QTest::newRow("non-breaking space") << QByteArray(R"(a\~b)") << QStringLiteral("a\u00A0b");
    QTest::newRow("optional hyphen") << QByteArray(R"(a\-b)") << QStringLiteral("a\u00ADb");
    QTest::newRow("non-breaking hyphen") << QByteArray(R"(a\_b)") << QStringLiteral("a\u2011b");
    QTest::newRow("dashes") << QByteArray(R"(\emdash\endash)") << QStringLiteral("\u2014\u2013");
    QTest::newRow("bullet") << QByteArray(R"(\bullet)") << QStringLiteral("\u2022");
    QTest::newRow("quotes") << QByteArray(R"(\lquote x\rquote \ldblquote y\rdblquote)")
                            << QStringLiteral("\u2018x\u2019\u201Cy\u201D");
    QTest::newRow("line ends ignored") << QByteArray("a\r\nb\nc") << QStringLiteral("abc");
    QTest::newRow("backslash newline is a paragraph")
        << QByteArray("a\\\nb") << QStringLiteral("a\nb");
    QTest::newRow("delimiting space eaten") << QByteArray(R"(\b  x)") << QStringLiteral(" x");
    QTest::newRow("unknown word ignored") << QByteArray(R"(a\foo12 b)") << QStringLiteral("ab");
}

void TestRtfReader::specialCharacters() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(textOf("{\\rtf1\\ansi " + rtf + "}"), text);
}

void TestRtfReader::codePages_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("1250") << QByteArray("\\ansi\\ansicpg1250") << QByteArray("\\'b9")
                          << QStringLiteral("\u0105");
    QTest::newRow("1251") << QByteArray("\\ansi\\ansicpg1251") << QByteArray("\\'c0")
                          << QStringLiteral("\u0410");
    QTest::newRow("1252") << QByteArray("\\ansi") << QByteArray("\\'80\\'e9")
                          << QStringLiteral("\u20AC\u00E9");
    QTest::newRow("1253") << QByteArray("\\ansicpg1253") << QByteArray("\\'e1")
                          << QStringLiteral("\u03B1");
    QTest::newRow("1254") << QByteArray("\\ansicpg1254") << QByteArray("\\'fd")
                          << QStringLiteral("\u0131");
    QTest::newRow("1255") << QByteArray("\\ansicpg1255") << QByteArray("\\'e0")
                          << QStringLiteral("\u05D0");
    QTest::newRow("1256") << QByteArray("\\ansicpg1256") << QByteArray("\\'c7")
                          << QStringLiteral("\u0627");
    QTest::newRow("1257") << QByteArray("\\ansicpg1257") << QByteArray("\\'e0")
                          << QStringLiteral("\u0105");
    QTest::newRow("1258") << QByteArray("\\ansicpg1258") << QByteArray("\\'d2")
                          << QStringLiteral("\u0309");
    QTest::newRow("437") << QByteArray("\\pc") << QByteArray("\\'82") << QStringLiteral("\u00E9");
    QTest::newRow("850") << QByteArray("\\pca") << QByteArray("\\'d0") << QStringLiteral("\u00F0");
    QTest::newRow("874") << QByteArray("\\ansicpg874") << QByteArray("\\'a1")
                         << QStringLiteral("\u0E01");
    QTest::newRow("mac") << QByteArray("\\mac") << QByteArray("\\'8e") << QStringLiteral("\u00E9");
    QTest::newRow("utf-8") << QByteArray("\\ansicpg65001") << QByteArray("\\'c3\\'a9")
                           << QStringLiteral("\u00E9");
    QTest::newRow("raw 8-bit byte")
        << QByteArray("\\ansicpg1251") << QByteArray("\xc0") << QStringLiteral("\u0410");
    QTest::newRow("broken escape")
        << QByteArray("\\ansi") << QByteArray("\\'zz") << QStringLiteral("zz");
}

void TestRtfReader::codePages() {
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(textOf("{\\rtf1" + header + " " + bytes + "}"), text);
}

void TestRtfReader::fontCharsetOverridesDocumentCodePage() {
    const QByteArray rtf =
        R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset238 Arial CE;})"
        R"({\f2\fcharset204 Arial Cyr;}{\f3\cpg1253 Greek;}}\'b9{\f1\'b9}{\f2\'c0})"
        R"({\f3\'e1}})";
    QCOMPARE(textOf(rtf), QStringLiteral("\u00B9\u0105\u0410\u03B1"));
}

void TestRtfReader::doubleByteCodePage() {
    // Shift-JIS "あい" as escapes and a raw lead byte followed by an escape.
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}"
                           "\\'82\\'a0\x82\\'a2}";
    QCOMPARE(textOf(rtf), QStringLiteral("\u3042\u3044"));
}

void TestRtfReader::symbolFontIsUnicode() {
    const QByteArray rtf = R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}})"
                           R"({\f1 a\'b7\u61623 ?}})";
    QCOMPARE(textOf(rtf), QStringLiteral("\u03B1\u2022\u2022"));
}

void TestRtfReader::unicode_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("one fallback character")
        << QByteArray(R"(\u8364?x)") << QStringLiteral("\u20ACx");
    QTest::newRow("fallback escape") << QByteArray(R"(\u8364\'80x)") << QStringLiteral("\u20ACx");
    QTest::newRow("uc2") << QByteArray(R"(\uc2\u8364 EUx)") << QStringLiteral("\u20ACx");
    QTest::newRow("uc0") << QByteArray(R"(\uc0\u8364 x)") << QStringLiteral("\u20ACx");
    QTest::newRow("uc in a group only")
        << QByteArray(R"({\uc0\u8364 x}\u8364?y)") << QStringLiteral("\u20ACx\u20ACy");
    QTest::newRow("negative") << QByteArray(R"(\u-4064?)") << QStringLiteral("\uF020");
    QTest::newRow("surrogate pair")
        << QByteArray(R"(\u-10179?\u-9047?)") << QString::fromUtf8("\xF0\x9F\x92\xA9");
    QTest::newRow("unpaired high") << QByteArray(R"(\u-10179?x)") << QStringLiteral("\uFFFDx");
    QTest::newRow("unpaired low") << QByteArray(R"(x\u-9047?)") << QStringLiteral("x\uFFFD");
    QTest::newRow("fallback cut by a group")
        << QByteArray(R"(\uc3\u8364 a{b}c)") << QStringLiteral("\u20ACbc");
}

void TestRtfReader::unicode() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(textOf("{\\rtf1\\ansi " + rtf + "}"), text);
}

void TestRtfReader::fieldsShowTheirResult() {
    const auto doc = readDoc(
        R"({\rtf1 See {\field{\*\fldinst {HYPERLINK "http://example.com/"}}{\fldrslt {\ul site}}})"
        R"( and {\field{\fldinst PAGE}{\fldrslt 7}}.\par})");
    QCOMPARE(rtf::plainText(*doc), QStringLiteral("See site and 7."));
    const QTextCharFormat link = formatOf(*doc, "site");
    QVERIFY(link.isAnchor());
    QCOMPARE(link.anchorHref(), QStringLiteral("http://example.com/"));
    QVERIFY(!formatOf(*doc, "7").isAnchor());
}

void TestRtfReader::symbolFields_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("points");
    QTest::newRow("empty result, with size")
        << QByteArray(R"({\field{\*\fldinst SYMBOL 183 \\f "Symbol" \\s 10}{\fldrslt }})")
        << QStringLiteral("\u2022") << QStringLiteral("Symbol") << 10.0;
    QTest::newRow("no result, instruction in a subgroup")
        << QByteArray(R"({\field{\*\fldinst {SYMBOL 97 \\f "Symbol"}}})")
        << QStringLiteral("\u03B1") << QStringLiteral("Symbol") << 12.0;
    QTest::newRow("font not in the table")
        << QByteArray(R"({\field{\*\fldinst SYMBOL 90 \\f "Courier New"}{\fldrslt}})")
        << QStringLiteral("Z") << QStringLiteral("Courier New") << 12.0;
    QTest::newRow("hexadecimal, Unicode, plain font")
        << QByteArray(R"({\field{\*\fldinst SYMBOL 0x2192 \\u}})") << QStringLiteral("\u2192")
        << QStringLiteral("Arial") << 12.0;
    QTest::newRow("stored result shown once")
        << QByteArray(R"({\field{\*\fldinst SYMBOL 183 \\f "Symbol"}{\fldrslt \f1\fs20 \'b7}})")
        << QStringLiteral("\u2022") << QStringLiteral("Symbol") << 10.0;
}

void TestRtfReader::symbolFields() {
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QFETCH(QString, font);
    QFETCH(double, points);
    const auto doc =
        readDoc(R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}}a)" + field + "b}");
    QCOMPARE(rtf::plainText(*doc), "a" + text + "b");
    const QTextCharFormat f = formatOf(*doc, text);
    QCOMPARE(f.fontFamilies().toStringList().value(0), font);
    QCOMPARE(f.fontPointSize(), points);
    QCOMPARE(formatOf(*doc, "b").fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
}

void TestRtfReader::destinationsNotShown_data() {
    QTest::addColumn<QByteArray>("group");
    QTest::newRow("font table") << QByteArray(R"({\fonttbl{\f0 Hidden Font;}})");
    QTest::newRow("colour table") << QByteArray(R"({\colortbl;\red1\green2\blue3;})");
    QTest::newRow("stylesheet") << QByteArray(R"({\stylesheet{\s1 Heading Style;}})");
    QTest::newRow("info") << QByteArray(R"({\info{\title The Title}{\author Someone}})");
    QTest::newRow("header") << QByteArray(R"({\header Page header text\par})");
    QTest::newRow("footer") << QByteArray(R"({\footerr Footer text\par})");
    QTest::newRow("ignorable unknown") << QByteArray(R"({\*\mynewthing secret words})");
    QTest::newRow("ignorable known") << QByteArray(R"({\*\bkmkstart mark})");
    QTest::newRow("comment") << QByteArray(R"({\*\annotation a remark})");
    QTest::newRow("field instruction") << QByteArray(R"({\field{\*\fldinst TIME}})");
    QTest::newRow("no-nesting fallback") << QByteArray(R"({\nonesttables fallback\par})");
    QTest::newRow("hidden text") << QByteArray(R"({\v hidden})");
    QTest::newRow("Unicode fallback of upr") << QByteArray(R"({\upr{ansi version}{\*\ud{}}})");
}

void TestRtfReader::destinationsNotShown() {
    QFETCH(QByteArray, group);
    QCOMPARE(textOf("{\\rtf1\\ansi before" + group + "after}"), QStringLiteral("beforeafter"));
}

void TestRtfReader::ignorableMarkInsideAGroup() {
    // Older office suites write "\*" before a style word in the middle of a
    // formatting group: only that word may be passed over, not the group.
    QCOMPARE(textOf(R"({\rtf1\ansi{\fonttbl{\f2 Times;}}{\loch\f2 Hello \b0\*\cs7\cf0 world})"
                    R"({\b bold\*\mynewword  text}{\*\mynewthing unseen}\par})"),
             QStringLiteral("Hello worldbold text"));
}

void TestRtfReader::footnoteMarksAreNumbered() {
    const QByteArray rtf = R"({\rtf1 One{\super\chftn}{\footnote{\super\chftn} Note one.} two)"
                           R"({\super\chftn}{\footnote\ftnalt{\super\chftn} An endnote.} three)"
                           R"({\super\chftn}{\footnote Note two.}\par})";
    QCOMPARE(textOf(rtf), QStringLiteral("One1 twoi three2"));
}

void TestRtfReader::listNumbering() {
    const QByteArray rtf =
        R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fcharset2 Symbol;}})"
        R"({\*\listtable{\list{\listlevel\levelnfc0\levelstartat3{\leveltext\'02\'00.;}{\levelnumbers\'01;}})"
        R"({\listlevel\levelnfc4\levelstartat1{\leveltext\'04\'00.\'01);}{\levelnumbers\'01\'03;}})"
        R"(\listid7}{\list{\listlevel\levelnfc23\levelfollow1{\leveltext\'01\'b7;}\f1}\listid8}})"
        R"({\*\listoverridetable{\listoverride\listid7\ls1}{\listoverride\listid8\ls2}})"
        R"({\listtext 9.\tab}\pard\ls1 one\par\pard\ls1\ilvl1 sub a\par\pard\ls1\ilvl1 sub b\par)"
        R"(\pard\ls1 two\par\pard\ls2 dot\par\pard\ls5 no such list\par\pard plain\par})";
    QCOMPARE(textOf(rtf),
             QStringLiteral("3.\tone\n3.a)\tsub a\n3.b)\tsub b\n4.\ttwo\n\u2022 dot\nno such "
                            "list\nplain"));
}

void TestRtfReader::legacyNumbering() {
    const QByteArray rtf =
        R"({\rtf1\ansi{\pntext 1.\tab}{\*\pn\pnlvlbody\pndec\pnstart1{\pntxta .}}one\par)"
        R"({\*\pn\pnlvlbody\pndec\pnstart1{\pntxta .}}two\par\pard plain\par)"
        R"({\*\pn\pnlvlblt\pnf1{\pntxtb \'b7}}dot\par})";
    QCOMPARE(textOf(rtf), QStringLiteral("1.\tone\n2.\ttwo\nplain\n\u2022\tdot"));
}

void TestRtfReader::unnumberedParagraphsOfAList() {
    // Paragraphs that continue an item show no number, keep their indent and
    // leave the numbers of the items around them as they are.
    const QByteArray item = R"(\pard{\*\pn\pnlvlbody\pndec\pnstart1{\pntxta .}})";
    const auto doc =
        readDoc(R"({\rtf1\ansi )" + item + R"(one\par\pard\li720{\*\pn\pnlvlcont})" +
                R"(more of one\par)" + item + R"(two\par\pard\li720\ls0 more of two\par)" + item +
                R"(three\par\pard\li720 plain\par})");
    QCOMPARE(rtf::plainText(*doc),
             QStringLiteral("1.\tone\nmore of one\n2.\ttwo\nmore of two\n3.\tthree\nplain"));
    const qreal indent = blockFormatOf(*doc, "plain").leftMargin();
    QVERIFY(indent > 0);
    QCOMPARE(blockFormatOf(*doc, "more of one").leftMargin(), indent);
    QCOMPARE(blockFormatOf(*doc, "more of two").leftMargin(), indent);
}

void TestRtfReader::simpleTable() {
    const auto doc =
        readDoc(R"({\rtf1\trowd\cellx1000\cellx2000\cellx3000\pard\intbl a\cell b\cell c\cell\row)"
                R"(\trowd\cellx1000\cellx2000\cellx3000\pard\intbl d\cell e\cell f\cell\row})");
    const QList<QTextFrame*> frames = doc->rootFrame()->childFrames();
    QCOMPARE(frames.size(), 1);
    auto* table = qobject_cast<QTextTable*>(frames[0]);
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 3);
    QTextCursor c = table->cellAt(1, 2).firstCursorPosition();
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QCOMPARE(c.selectedText(), QStringLiteral("f"));
    QCOMPARE(rtf::plainText(*doc), QStringLiteral("a\tb\tc\nd\te\tf"));
}

void TestRtfReader::tableColumnsFromBoundaries() {
    // A row of two cells spanning the three columns of the row below.
    const auto doc =
        readDoc(R"({\rtf1\trowd\cellx1000\cellx3000\pard\intbl wide\cell right\cell\row)"
                R"(\trowd\cellx1000\cellx2000\cellx3000\pard\intbl x\cell y\cell z\cell\row})");
    auto* table = qobject_cast<QTextTable*>(doc->rootFrame()->childFrames().value(0));
    QVERIFY(table);
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->cellAt(0, 1).columnSpan(), 2);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 3);
    QCOMPARE(widths[0].rawValue(), 1000.0 / 15);
    QCOMPARE(rtf::plainText(*doc), QStringLiteral("wide\tright\nx\ty\tz"));
}

void TestRtfReader::nestedTable() {
    const auto doc = readDoc(
        R"({\rtf1\trowd\cellx5000\cellx8000\pard\intbl\itap2 in1\nestcell in2\nestcell)"
        R"({\*\nesttableprops\trowd\cellx2000\cellx4000\nestrow}{\nonesttables fallback\par})"
        R"(\pard\intbl outer\cell second\cell\row\pard after\par})");
    auto* outer = qobject_cast<QTextTable*>(doc->rootFrame()->childFrames().value(0));
    QVERIFY(outer);
    QCOMPARE(outer->rows(), 1);
    QCOMPARE(outer->columns(), 2);
    const QList<QTextFrame*> inner = outer->childFrames();
    QCOMPARE(inner.size(), 1);
    auto* nested = qobject_cast<QTextTable*>(inner[0]);
    QVERIFY(nested);
    QCOMPARE(nested->columns(), 2);
    QCOMPARE(outer->cellAt(nested->firstPosition()).column(), 0);
    const QString text = rtf::plainText(*doc);
    QVERIFY2(!text.contains(QStringLiteral("fallback")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("in1\tin2")), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("outer\tsecond\nafter")), qPrintable(text));
}

void TestRtfReader::mergedCells() {
    const auto doc = readDoc(
        R"({\rtf1\trowd\clvmgf\cellx1000\clmgf\cellx2000\clmrg\cellx3000)"
        R"(\pard\intbl tall\cell joined\cell\cell\row)"
        R"(\trowd\clvmrg\cellx1000\cellx2000\cellx3000\pard\intbl\cell b\cell c\cell\row})");
    auto* table = qobject_cast<QTextTable*>(doc->rootFrame()->childFrames().value(0));
    QVERIFY(table);
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->cellAt(0, 0).rowSpan(), 2);
    QCOMPARE(table->cellAt(0, 1).columnSpan(), 2);
    QCOMPARE(table->cellAt(1, 0).row(), 0); // covered by the tall cell
}

void TestRtfReader::textAfterTable_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("text");
    QTest::newRow("no empty line") << QByteArray() << QByteArray() << "before\nin\nafter";
    QTest::newRow("empty line before")
        << QByteArray("\\par") << QByteArray() << "before\n\nin\nafter";
    QTest::newRow("empty line after")
        << QByteArray() << QByteArray("\\par") << "before\nin\n\nafter";
}

// An empty paragraph beside a table keeps its line, on screen as in the text.
void TestRtfReader::textAfterTable() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, text);
    const auto rtf = [](const QByteArray& b, const QByteArray& a) {
        return "{\\rtf1 before\\par" + b + "\\trowd\\cellx1000\\pard\\intbl in\\cell\\row\\pard" +
               a + " after\\par}";
    };
    QCOMPARE(textOf(rtf(before, after)), text);
    const qreal plain = readDoc(rtf({}, {}))->size().height();
    QCOMPARE(readDoc(rtf(before, after))->size().height() > plain + 5, !(before + after).isEmpty());
}

static QByteArray hexPng(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toHex();
}

static QTextImageFormat firstImage(const QTextDocument& doc) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                return it.fragment().charFormat().toImageFormat();
    return {};
}

void TestRtfReader::pngPictureAtGoalSize() {
    const auto doc =
        readDoc("{\\rtf1 a{\\pict\\pngblip\\picw20\\pich10\\picwgoal1500\\pichgoal750 " +
                hexPng(QSize(20, 10)) + "}b}");
    const QTextImageFormat image = firstImage(*doc);
    QVERIFY(image.isValid());
    QCOMPARE(image.width(), 100.0); // 1500 twips
    QCOMPARE(image.height(), 50.0);
    const QVariant resource = doc->resource(QTextDocument::ImageResource, QUrl(image.name()));
    QCOMPARE(resource.value<QImage>().size(), QSize(20, 10));
    QCOMPARE(rtf::plainText(*doc), QStringLiteral("ab"));
}

void TestRtfReader::pictureScaledAndBinary() {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    // Binary data may hold braces and backslashes.
    const QByteArray rtf = "{\\rtf1{\\pict\\jpegblip\\picscalex50\\picscaley200\\bin" +
                           QByteArray::number(jpeg.size()) + " " + jpeg + "}after}";
    const auto doc = readDoc(rtf);
    const QTextImageFormat format = firstImage(*doc);
    QVERIFY(format.isValid());
    QCOMPARE(format.width(), 4.0);  // 8 pixels at 50 %
    QCOMPARE(format.height(), 8.0); // 4 pixels at 200 %
    QCOMPARE(rtf::plainText(*doc), QStringLiteral("after"));
}

void TestRtfReader::metafileBecomesEmptyBox() {
    const auto doc = readDoc(
        R"({\rtf1{\pict\wmetafile8\picw2540\pich1270\picwgoal2880\pichgoal1440 0100090000}x})");
    const QTextImageFormat format = firstImage(*doc);
    QVERIFY(format.isValid());
    QCOMPARE(format.width(), 192.0); // two inches
    QCOMPARE(format.height(), 96.0);
    QVERIFY(!doc->resource(QTextDocument::ImageResource, QUrl(format.name())).isNull());
    // Without goal sizes a metafile's size is in hundredths of a millimetre.
    const auto sized = readDoc(R"({\rtf1{\pict\emfblip\picw2540\pich5080 00}})");
    QCOMPARE(firstImage(*sized).width(), 96.0);
    QCOMPARE(firstImage(*sized).height(), 192.0);
}

void TestRtfReader::notRtf_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("Just some words.");
    QTest::newRow("control word without group") << QByteArray("\\rtf1 text");
    QTest::newRow("something before the group") << QByteArray("x{\\rtf1 text}");
    QTest::newRow("group without control word") << QByteArray("{text}");
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10);
}

void TestRtfReader::notRtf() {
    QFETCH(QByteArray, data);
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("old"));
    QString error;
    QVERIFY(!rtf::readRtf(data, doc, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!error.contains(QLatin1Char('\n')));
    QVERIFY(doc.isEmpty());
}

void TestRtfReader::contentAfterDocumentGroupIsIgnored() {
    QCOMPARE(textOf("{\\rtf1 inside} outside {more}"), QStringLiteral("inside"));
    QCOMPARE(textOf("  \xEF\xBB\xBF{\\rtf1 bom}"), QString()); // the mark must come first
    QCOMPARE(textOf("\xEF\xBB\xBF  {\\rtf1 bom}"), QStringLiteral("bom"));
}

void TestRtfReader::truncatedDocumentKeepsItsText() {
    QCOMPARE(textOf("{\\rtf1 one\\par two {\\b three"), QStringLiteral("one\ntwo three"));
    QCOMPARE(textOf("{\\rtf1 cut\\'4"), QStringLiteral("cut\u0004"));
    QCOMPARE(textOf("{\\rtf1 cut\\"), QStringLiteral("cut"));
    QCOMPARE(textOf("{\\rtf1 x\\bin99999 abc"), QStringLiteral("x"));
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
