// Saved window measures that cannot be read, and settings files that are
// damaged or missing, through the real main window: the load step skips what
// it cannot use, shows no message, puts the window on the screen, and the
// exit steps write back four numbers that the next start reads.
#include "fixtures.h"
#include "platform/vbnumber.h"
#include "shell/form1.h"
#include "shell/form1_load.h"
#include "shell/startup.h"

#include <QRandomGenerator>
#include <QtTest>

class TestBadSettings : public QObject {
    Q_OBJECT
private slots:
    void unreadableValue_data();
    void unreadableValue();
    void damagedFile_data();
    void damagedFile();
    void settingsFileIsAFolder();
};

namespace {

const char* const Keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

// The window's measures in twips, as the exit steps save them.
QRect twipsOf(const Form1& form) {
    const WindowTwips t = form.windowTwips();
    return QRect(qRound(t.left), qRound(t.top), qRound(t.width), qRound(t.height));
}

// The window's outer place and size in pixels, and those that measures in twips give.
QRect pixelsOf(const Form1& form) {
    return form.frameGeometry();
}
QRect pixels(QRect twips) {
    return QRect(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0), qRound(twips.width() / 15.0),
                 qRound(twips.height() / 15.0));
}

// Closes the window the way the close box does; the exit steps must save
// four numbers equal to its measures, readable by the next start.
void exitAndCheckSaved(TestEnv& env, Form1& form) {
    const QRect before = twipsOf(form);
    QVERIFY(form.close());
    QCOMPARE(env.endCount(), 1);
    const int saved[] = {before.left(), before.top(), before.width(), before.height()};
    for (int i = 0; i < 4; ++i) {
        float v = 0;
        const QString text = env.setting(QLatin1String(Keys[i]));
        QVERIFY2(textToSingle(text, &v), qPrintable(text));
        QCOMPARE(qRound(v), saved[i]);
    }
}

// Expected measures when none of the saved values can be used: on 800 × 600
// the window keeps its designed size, elsewhere the size rule applies; the
// place stays at 0, 0.
QRect fallback(QSize screen) {
    return screen == QSize(800, 600) ? QRect(0, 0, 12060, 7680) : QRect(0, 0, 11965, 9195);
}

} // namespace

void TestBadSettings::unreadableValue_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("value");
    const QList<QPair<const char*, QString>> values{
        {"NaN", QStringLiteral("NaN")},
        {"infinity", QStringLiteral("inf")},
        {"minus infinity", QStringLiteral("-Infinity")},
        {"the runtime's infinity", QStringLiteral("1.#INF")},
        {"beyond single precision", QStringLiteral("1e39")},
        {"below single precision", QStringLiteral("-3.5e38")},
        {"100000 digits", QString(100000, QLatin1Char('9'))},
        {"beyond the window system", QStringLiteral("491521")},
        {"a unit after the number", QStringLiteral("1440px")},
        {"two numbers", QStringLiteral("1440 1440")},
        {"two signs", QStringLiteral("--1440")},
        {"a point alone", QStringLiteral(".")},
        {"an exponent alone", QStringLiteral("e5")},
        {"blanks only", QStringLiteral("   ")},
        {"control characters", QStringLiteral("\x01\x02\x7f")},
        {"a line break inside", QStringLiteral("1440\n1440")},
        {"other digits", QStringLiteral("\u0661\u0664\u0664\u0660")},
        {"a fraction sign", QStringLiteral("\u00bd")},
    };
    for (QSize screen : {QSize(800, 600), QSize(1024, 768)})
        for (const auto& [name, value] : values)
            QTest::addRow("%dx%d %s", screen.width(), screen.height(), name) << screen << value;
}

void TestBadSettings::unreadableValue() {
    QFETCH(QSize, screen);
    QFETCH(QString, value);
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    env.setScreenPixels(screen.width(), screen.height());
    for (const char* key : Keys)
        env.saveSetting(QLatin1String(key), value);
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(pixelsOf(form), pixels(fallback(screen)));
    QVERIFY(env.messages().calls.isEmpty());
    QCOMPARE(env.endCount(), 0);
    exitAndCheckSaved(env, form);
}

void TestBadSettings::damagedFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QRect>("twips"); // what the load step makes of it on 800 × 600

    // A key that is missing takes its default (on 800 × 600 the whole screen);
    // one that is there but cannot be read keeps the designed measure.
    QByteArray noise(4096, '\0');
    QRandomGenerator rng(11);
    for (char& c : noise)
        c = char(rng.generate());
    QTest::newRow("random bytes") << noise << QRect(0, 0, 12000, 9000);
    QTest::newRow("keys without values")
        << QByteArray("[Settings]\nMainLeft\nMainTop=\nMainWidth=\nMainHeight\n")
        << QRect(0, 0, 12060, 9000);
    static const char nuls[] = "[Settings]\nMainLeft=60\0\0\nMainTop=\0\n";
    QTest::newRow("NUL bytes in values")
        << QByteArray(nuls, sizeof nuls - 1) << QRect(0, 0, 12000, 9000);
    QTest::newRow("a line of a megabyte")
        << QByteArray("[Settings]\nMainWidth=") + QByteArray(1 << 20, '7') + "\n"
        << QRect(0, 0, 12060, 9000);
    QTest::newRow("later duplicate wins")
        << QByteArray("[Settings]\nMainLeft=600\nMainLeft=left\nMainTop=300\nMainTop=150\n")
        << QRect(0, 150, 12000, 9000);
    QTest::newRow("quoted numbers") << QByteArray("[Settings]\nMainLeft=\"600\"\nMainTop=\"-0\"\n")
                                    << QRect(600, 0, 12000, 9000);
    QTest::newRow("another section only")
        << QByteArray("[Other]\nMainLeft=600\nMainTop=600\n") << QRect(0, 0, 12000, 9000);
}

void TestBadSettings::damagedFile() {
    QFETCH(QByteArray, content);
    QFETCH(QRect, twips);
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    env.setScreenPixels(800, 600);
    QDir().mkpath(QFileInfo(env.settingsFile()).path());
    {
        QFile f(env.settingsFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(pixelsOf(form), pixels(twips));
    QVERIFY(env.messages().calls.isEmpty());
    exitAndCheckSaved(env, form);
}

void TestBadSettings::settingsFileIsAFolder() {
    TestEnv env;
    env.setCommand(QStringLiteral("HWI"));
    env.setScreenPixels(800, 600);
    QVERIFY(QDir().mkpath(env.settingsFile()));
    Form1 form(env.app());
    QVERIFY(Form1_Load(env.app(), form));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Nothing can be read: the defaults of an 800 × 600 screen.
    QCOMPARE(pixelsOf(form), QRect(0, 0, 800, 600));
    // Nothing can be written either; the program still ends, quietly.
    QVERIFY(form.close());
    QCOMPARE(env.endCount(), 1);
    QVERIFY(env.messages().calls.isEmpty());
    QVERIFY(QFileInfo(env.settingsFile()).isDir());
}

QTEST_MAIN(TestBadSettings)
#include "tst_badsettings.moc"
