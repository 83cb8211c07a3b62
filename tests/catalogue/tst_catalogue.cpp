// The year list, picture naming, the ad count and year selection, driven on
// the real main window.
#include "browser.h"
#include "catalogue/catalogue.h"
#include "platform/msgboxstyle.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/scrollbar.h"
#include "widgets/spinbutton.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void picturePaths();
    void countAds_data();
    void countAds();
    void clickingAYearShowsItsFirstAd();
    void lastYearHandsFocusToFirst();
    void keysOnAYearButtonSelectIt();
    void missingFirstPictureAsksForTheMedium();
    void cancellingThePromptEnds();
    void partialCopyReadsTheMedium();
};

void TestCatalogue::picturePaths() {
    TestEnv env;
    env.app().AdsRoot = QStringLiteral("E:");
    env.app().ViewerState.YearPart = QStringLiteral("74");
    QCOMPARE(AdPicturePath(env.app(), 5), QStringLiteral("E:\\ads\\74tova05.jpg"));
    QCOMPARE(AdPicturePath(env.app(), 10), QStringLiteral("E:\\ads\\74tova10.jpg"));
    QCOMPARE(AdPicturePath(env.app(), 0), QStringLiteral("E:\\ads\\74tova00.jpg"));
    QCOMPARE(AdPicturePath(env.app(), 30), QStringLiteral("E:\\ads\\74tova30.jpg"));
}

void TestCatalogue::countAds_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("count");
    QTest::newRow("00 to 03") << QStringList{"64tova00.jpg", "64tova01.jpg", "64tova02.jpg",
                                             "64tova03.jpg"}
                              << 4;
    QTest::newRow("only 00") << QStringList{"64tova00.jpg"} << 1;
    QTest::newRow("gap") << QStringList{"64tova00.jpg", "64tova01.jpg", "64tova03.jpg"} << 4;
    QTest::newRow("none") << QStringList{} << 0;
    QTest::newRow("highest is 30") << QStringList{"64tova00.jpg", "64tova30.jpg"} << 31;
    QTest::newRow("any letter case") << QStringList{"64TOVA00.JPG", "64Tova07.Jpg"} << 8;
    QTest::newRow("other years and odd names do not count")
        << QStringList{"64tova00.jpg", "65tova09.jpg", "64tova31.jpg", "64tova5.jpg",
                       "64tova1x.jpg", "64tova-1.jpg", "64tova04.jpeg"}
        << 1;
}

void TestCatalogue::countAds() {
    QFETCH(QStringList, files);
    QFETCH(int, count);
    TestEnv env;
    const QString cd = env.makeFolder(QStringLiteral("cd/ads"));
    for (const QString& name : files) {
        QFile f(cd + QLatin1Char('/') + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QDir(cd).mkpath(QStringLiteral("64tova20.jpg")); // a folder is not a picture
    env.mapDrive(QLatin1Char('D'), env.root() + QStringLiteral("/cd"));
    env.app().AdsRoot = QStringLiteral("D:");
    env.app().ViewerState.YearPart = QStringLiteral("64");
    QCOMPARE(CountAds(env.app()), count);
    // A medium that is gone counts nothing.
    QVERIFY(QDir(env.root() + QStringLiteral("/cd")).removeRecursively());
    QCOMPARE(CountAds(env.app()), 0);
}

void TestCatalogue::clickingAYearShowsItsFirstAd() {
    Browser b;
    b.addAds(1964, {0, 1, 2, 3});
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    QVERIFY(b.showsFile(1964, 0));
    QCOMPARE(f.picDest->picture().cacheKey(), f.PicSrc->picture().cacheKey());
    QCOMPARE(f.PicSrc->size(), QSize(60, 80));
    QCOMPARE(f.panParent->caption(), QStringLiteral(" 1964 Kestrun Ad"));
    QVERIFY(!f.panParent->isVisible()); // the view modes show it, not the selection
    QCOMPARE(b.counter(), QStringLiteral("1 of 4"));
    QVERIFY(f.Text1->isVisible());
    QVERIFY(f.SpinButton1->isVisible());
    QCOMPARE(f.SpinButton1->pos(), QPoint(331, 528));
    QCOMPARE(f.Text1->pos(), QPoint(389, 528));
    QVERIFY(f.panText3->isVisible());
    QCOMPARE(f.panText3->caption(), QStringLiteral("1964 "));
    QCOMPARE(f.panText3->pos(), QPoint(456, 528));
    QCOMPARE(b.focusedYear(), 1965);
    QVERIFY(f.Image1->isEnabled() && f.cmdZoom->isEnabled() && f.cmdWide->isEnabled());
    QVERIFY(f.isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    const ViewerStateRecord& s = b.app().ViewerState;
    QCOMPARE(s.YearIndex, qint16(0));
    QCOMPARE(s.YearPart, QStringLiteral("64"));
    QCOMPARE(s.AdNumber, qint16(0));
    QCOMPARE(s.AdCount, qint16(4));
    QCOMPARE(b.app().MediaErrorCode, QStringLiteral("CA002"));
    QVERIFY(b.env.messages().calls.isEmpty());
    // Scroll maxima follow the picture: 80 − 529 and 60 − (314 + 481).
    QCOMPARE(f.VScr->Max(), 80 - 529);
    QCOMPARE(f.HScroll1->Max(), 60 - 795);

    // A year with a single ad shows the row all the same.
    b.addAds(1965, {0});
    b.clickYear(1965);
    QCOMPARE(b.counter(), QStringLiteral("1 of 1"));
    QVERIFY(f.SpinButton1->isVisible());
    QCOMPARE(f.panText3->caption(), QStringLiteral("1965 "));
}

void TestCatalogue::lastYearHandsFocusToFirst() {
    Browser b;
    b.addAds(1999, {0});
    b.start();
    b.clickYear(1999);
    QVERIFY(b.showsFile(1999, 0));
    QCOMPARE(b.focusedYear(), 1964);
    QCOMPARE(b.app().ViewerState.YearPart, QStringLiteral("99"));
}

void TestCatalogue::keysOnAYearButtonSelectIt() {
    Browser b;
    for (int year : {1970, 1971, 1972, 1973})
        b.addAds(year, {0, 1});
    b.start();
    Form1& f = *b.form;
    f.cmdYear[6]->setFocus();
    QTest::keyClick(f.cmdYear[6], Qt::Key_A);
    QVERIFY(b.showsFile(1970, 0));
    QCOMPARE(b.focusedYear(), 1971);
    // The focus the program moved there is seen.
    const QImage framed = f.cmdYear[7]->grab().toImage();
    f.cmdYear[7]->clearFocus();
    QVERIFY(f.cmdYear[7]->grab().toImage() != framed);
    f.cmdYear[7]->setFocus(Qt::OtherFocusReason);
    // Repeated keys walk through the years.
    QTest::keyClick(f.focusWidget(), Qt::Key_5);
    QVERIFY(b.showsFile(1971, 0));
    QTest::keyClick(f.focusWidget(), Qt::Key_Down);
    QVERIFY(b.showsFile(1972, 0));
    QCOMPARE(b.focusedYear(), 1973);
    QVERIFY(b.env.messages().calls.isEmpty());
}

void TestCatalogue::missingFirstPictureAsksForTheMedium() {
    Browser b;
    b.addAds(1964, {0, 1, 2});
    b.start();
    Form1& f = *b.form;
    b.clickYear(1964);
    const qint64 shown = f.PicSrc->picture().cacheKey();
    const int vmax = f.VScr->Max(), hmax = f.HScroll1->Max();

    bool windowDisabledDuringPrompt = false;
    b.env.messages().onShow = [&](const MessageCall&) {
        windowDisabledDuringPrompt = !f.isEnabled();
    };
    b.env.messages().replies = {MsgReply::Retry};
    b.clickYear(1970); // no picture at all for 1970
    QCOMPARE(b.env.messages().calls.size(), 1);
    QCOMPARE(b.env.messages().calls[0].text,
             QStringLiteral("Error number: CA002\r\n\r\nNo longer able to detect Kestrun Ads: The "
                            "Marketing of Ruzariz's Zephcar CD-ROM.\r\n\r\nMake sure that Kestrun "
                            "Ads: The Marketing of Ruzariz's Zephcar is in CDROM drive."));
    QCOMPARE(b.env.messages().calls[0].style, 5);
    QVERIFY(windowDisabledDuringPrompt);
    // The new year's names, the previous year's picture and count.
    const ViewerStateRecord& s = b.app().ViewerState;
    QCOMPARE(s.YearIndex, qint16(6));
    QCOMPARE(s.YearPart, QStringLiteral("70"));
    QCOMPARE(s.AdNumber, qint16(0));
    QCOMPARE(s.AdCount, qint16(3));
    QCOMPARE(f.panParent->caption(), QStringLiteral(" 1970 Kestrun Ad"));
    QVERIFY(!f.SpinButton1->isVisible());
    QVERIFY(!f.Text1->isVisible());
    QVERIFY(f.panText3->isVisible());
    QCOMPARE(f.panText3->caption(), QStringLiteral("1964 "));
    QCOMPARE(f.PicSrc->picture().cacheKey(), shown);
    QCOMPARE(f.picDest->picture().cacheKey(), shown);
    QCOMPARE(f.VScr->Max(), vmax);
    QCOMPARE(f.HScroll1->Max(), hmax);
    QVERIFY(f.Image1->isEnabled() && f.cmdZoom->isEnabled() && f.cmdWide->isEnabled());
    QVERIFY(f.isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(b.focusedYear(), 1971);
    QCOMPARE(b.env.endCount(), 0);

    // The first selection after start-up failing leaves no picture loaded.
    Browser fresh;
    fresh.addAds(1964, {0});
    fresh.start();
    fresh.env.messages().replies = {MsgReply::Retry};
    fresh.clickYear(1980);
    QVERIFY(!fresh.form->PicSrc->hasPicture());
    QVERIFY(fresh.form->Image1->isEnabled());
    QCOMPARE(fresh.form->Image1->picture().size(), QSize(475, 555)); // still the cover
}

void TestCatalogue::cancellingThePromptEnds() {
    Browser b;
    b.addAds(1964, {0});
    b.start();
    b.env.messages().replies = {MsgReply::Cancel};
    b.clickYear(1990);
    QCOMPARE(b.env.endCount(), 1);
    QCOMPARE(b.app().MessageReply, QStringLiteral("2"));
}

void TestCatalogue::partialCopyReadsTheMedium() {
    Browser b;
    b.addAds(1964, {0, 1, 2, 3});
    b.addAds(1980, {0, 1, 2});
    b.addAds(1981, {0});
    // A copy run that stopped part way: 1964 in part, 1980 not at all, and
    // a picture of 1981 that cannot be read.
    writeAds(b.env.programDir(), 1964, {0, 1});
    QFile broken(b.env.programDir() + QStringLiteral("/ads/81tova00.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("cut short");
    broken.close();
    b.start();
    QCOMPARE(b.app().AdsRoot, b.env.programDir());

    b.clickYear(1980);
    QVERIFY(b.showsFile(1980, 0));
    QCOMPARE(b.counter(), QStringLiteral("1 of 3"));
    b.clickYear(1964);
    QCOMPARE(b.counter(), QStringLiteral("1 of 4"));
    b.spinDown();
    QVERIFY(b.showsFile(1964, 3));
    QCOMPARE(b.counter(), QStringLiteral("4 of 4"));
    b.clickYear(1981);
    QVERIFY(b.showsFile(1981, 0));
    QVERIFY(b.env.messages().calls.isEmpty());

    // A picture that neither has asks for the medium, as always.
    b.env.messages().replies = {MsgReply::Retry};
    b.clickYear(1970);
    QCOMPARE(b.env.messages().calls.size(), 1);
    QVERIFY(b.env.messages().calls[0].text.startsWith(QStringLiteral("Error number: CA002")));
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
