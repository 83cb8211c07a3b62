// "Check Screen Resolution Setting" for screens of several sizes and pixel
// densities, byte for byte.
#include "fixtures.h"
#include "platform/msgboxstyle.h"
#include "shell/form1.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

class TestResolution : public QObject {
    Q_OBJECT
private slots:
    void messages_data();
    void messages();
    void chosenFromTheFileMenu();
};

static QString advice(const QString& firstLine) {
    return firstLine +
           QStringLiteral(
               "\r\n"
               "\r\n"
               "The optimum setting for the Kestrun Ads is 800 by 600 pixels.\r\n"
               "\r\n"
               "Also, The Kestrun Ads requires that the Small Fonts display setting is "
               "selected.\r\n"
               "\r\n"
               "To change your resolution and font size settings perform the following steps:\r\n"
               "    1)  Click the right mouse button while the cursor is on the Windows "
               "desktop.\r\n"
               "    2)  Select the Properties option from the window that will be displayed.\r\n"
               "    3)  Select the Settings tab.\r\n"
               "    4)  Adjust the Screen area Slide control to 800x600.\r\n"
               "    5)  You may also want to set the Colors to the highest level allowed by "
               "your\r\n"
               "         graphics card.\r\n"
               "    6)  To change the font size setting:\r\n"
               "          Click the Advanced button on the bottom right of the above window.\r\n"
               "          Select Small Fonts from the font size drop-down list box.\r\n"
               "\r\n"
               "You may now have to re-start your computer for the new settings to take "
               "affect.\r\n");
}

void TestResolution::messages_data() {
    QTest::addColumn<double>("widthTwips");
    QTest::addColumn<double>("heightTwips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");
    const QString optimum = QStringLiteral("Your current screen resolution is set at 800x600.\r\n"
                                           "\r\n"
                                           "This is the optimum setting for the Kestrun Ads!");
    QTest::newRow("800x600") << 12000.0 << 9000.0 << optimum << 0;
    QTest::newRow("1024x768")
        << 15360.0 << 11520.0
        << advice(QStringLiteral("Your current screen resolution is set at  1024 by 768 pixles."))
        << 48;
    QTest::newRow("800x600 at 12 twips per pixel")
        << 9600.0 << 7200.0
        << advice(QStringLiteral("Your current screen resolution is set at  640 by 480 pixles."))
        << 48;
    QTest::newRow("1024x768 at 12 twips per pixel")
        << 12288.0 << 9216.0
        << advice(
               QStringLiteral("Your current screen resolution is set at  819.2 by 614.4 pixles."))
        << 48;
    QTest::newRow("only the width matches")
        << 12000.0 << 11520.0
        << advice(QStringLiteral("Your current screen resolution is set at  800 by 768 pixles."))
        << 48;
}

void TestResolution::messages() {
    QFETCH(double, widthTwips);
    QFETCH(double, heightTwips);
    QFETCH(QString, text);
    QFETCH(int, style);
    TestEnv env;
    env.app().platform.screen = std::make_shared<FixedScreen>(widthTwips, heightTwips);
    env.app().MessageText = QStringLiteral("left over");
    env.app().MessageReply = QStringLiteral("4");
    env.messages().replies = {MsgReply::Ok};
    Form1 form(env.app());
    form.mnuResolution->trigger();
    QCOMPARE(env.messages().calls.size(), 1);
    QCOMPARE(env.messages().calls[0].text, text);
    QCOMPARE(env.messages().calls[0].style, style);
    QCOMPARE(env.messages().calls[0].title, ProductTitle);
    QCOMPARE(env.app().MessageText, text);
    // The answer is not recorded.
    QCOMPARE(env.app().MessageReply, QStringLiteral("4"));
}

void TestResolution::chosenFromTheFileMenu() {
    TestEnv env;
    env.messages().replies = {MsgReply::Ok};
    Form1 form(env.app());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QMenuBar* bar = form.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(form.mnuFile->menuAction()).center());
    QTRY_VERIFY(form.mnuFile->isVisible());
    QTest::mouseClick(form.mnuFile, Qt::LeftButton, Qt::NoModifier,
                      form.mnuFile->actionGeometry(form.mnuResolution).center());
    QTRY_COMPARE(env.messages().calls.size(), 1);
    QVERIFY(env.messages().calls[0].text.startsWith(
        QStringLiteral("Your current screen resolution is set at  1024 by 768 pixles.\r\n")));
}

QTEST_MAIN(TestResolution)
#include "tst_resolution.moc"
