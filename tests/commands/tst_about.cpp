// The about box, Help ▸ Contents with the help window, and the two web links.
#include "commandfakes.h"
#include "documents/about.h"
#include "documents/helpcontents.h"
#include "documents/helpwindow.h"
#include "documents/systemhelpviewer.h"
#include "fixtures.h"
#include "shell/form1.h"
#include "shell/menukeys.h"
#include "shell/startup.h"
#include "widgets/button3d.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void position_data();
    void position();
    void okEnablesMainWindow();
    void otherWaysOutEnableMainWindow_data();
    void otherWaysOutEnableMainWindow();
    void webButtonOpensHomePageAndCloses();
    void eachAboutLoadsAfresh();
    void webLinks_data();
    void webLinks();
    void addressesBecomeWebAddresses_data();
    void addressesBecomeWebAddresses();
    void helpContentsAsksForTheShippedFile();
    void helpWindowShowsContentsAndEveryCommand();
    void helpWindowWithoutFile();
};

namespace {

struct World {
    TestEnv env;
    std::shared_ptr<RecordingShellLinks> links = std::make_shared<RecordingShellLinks>();
    std::unique_ptr<Form1> form;

    World() {
        env.app().platform.shellLinks = links;
        form = std::make_unique<Form1>(env.app());
        form->move(0, 0);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    frmAbout* about() { return form->findChild<frmAbout*>(); }
    frmAbout* openAbout() {
        form->mnuAbout->trigger();
        frmAbout* box = about();
        if (box)
            box->activateWindow();
        return box;
    }
};

QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

void TestAbout::layout() {
    World w;
    frmAbout* box = w.openAbout();
    QVERIFY(box);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QVERIFY(box->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(box->size(), QSize(625, 465));
    QCOMPARE(box->palette().color(QPalette::Window), QColor(192, 192, 192));

    struct Place {
        QWidget* control;
        QWidget* container;
        QRect rect;
    };
    const Place places[] = {
        {box->SSPanel3, box, twips(0, 0, 9375, 4815)},
        {box->Image1, box->SSPanel3, twips(240, 240, 8895, 4425)},
        {box->panAbout, box, twips(0, 4800, 9375, 2175)},
        {box->SSPanel6, box->panAbout, twips(720, 240, 2655, 600)},
        {box->SSPanel5, box->panAbout, twips(840, 840, 2175, 360)},
        {box->SSPanel1, box->panAbout, twips(720, 1200, 2415, 360)},
        {box->SSPanel4, box->panAbout, twips(1560, 1560, 615, 240)},
        {box->Picture2, box->panAbout, twips(3600, 240, 2415, 1215)},
        {box->SSCommand1, box->panAbout, twips(3600, 1560, 2400, 375)},
        {box->SSPanel2, box->panAbout, twips(6240, 240, 2655, 360)},
        {box->panQuillon, box->panAbout, twips(6240, 600, 2655, 735)},
        {box->SSCommand2, box->panAbout, twips(6240, 1560, 2700, 375)},
    };
    for (const Place& p : places) {
        QCOMPARE(p.control->parentWidget(), p.container);
        QCOMPARE(p.control->geometry(), p.rect);
        QVERIFY(p.control->isVisible());
        QVERIFY(p.control->font().bold());
    }

    // The designed fonts; where the fonts at hand set a caption wider than
    // its panel, the same font smaller, so that nothing is cut off.
    struct Caption {
        QWidget* control;
        QString text;
        double points;
        bool italic;
    };
    const Caption captions[] = {
        {box->SSPanel6, QStringLiteral("Kestrun Ads"), 26.24, true},
        {box->SSPanel5, QStringLiteral("The Marketing of"), 12, true},
        {box->SSPanel1, QStringLiteral("Ruzariz's Zephcar"), 12, true},
        {box->SSPanel4, QStringLiteral("v1.10"), 8.24, false},
        {box->SSCommand2, QStringLiteral("www.quillon-software.example"), 8.25, false},
    };
    for (const Caption& c : captions) {
        const QFont f = c.control->font();
        const QString shown = qobject_cast<Panel3D*>(c.control)
                                  ? static_cast<Panel3D*>(c.control)->caption()
                                  : static_cast<QPushButton*>(c.control)->text();
        QCOMPARE(shown, c.text);
        QCOMPARE(f.italic(), c.italic);
        QVERIFY2(f.pointSizeF() <= c.points && f.pointSizeF() > c.points / 2, qPrintable(c.text));
        QFont designed = f;
        designed.setPointSizeF(c.points);
        QVERIFY2(f.pointSizeF() == c.points ||
                     QFontMetrics(designed).horizontalAdvance(c.text) > c.control->width() - 8,
                 qPrintable(c.text));
        QVERIFY2(QFontMetrics(f).horizontalAdvance(c.text) <= c.control->width(),
                 qPrintable(c.text));
    }
    QCOMPARE(box->SSCommand1->text(), QStringLiteral("OK"));
    QCOMPARE(box->SSCommand2->text(), QStringLiteral("www.quillon-software.example"));

    // The maker's lines: name, street, and a town line that begins with a blank.
    const QStringList lines = box->panQuillon->caption().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("Quillon Software"));
    QVERIFY(!lines[1].trimmed().isEmpty());
    QVERIFY(lines[2].startsWith(QLatin1Char(' ')) && lines[2].size() > 1);
    QVERIFY(box->SSPanel2->caption().contains(QStringLiteral("Quillon Software")));

    // The two pictures at their stored sizes, the logo on white.
    QCOMPARE(box->Image1->picture().size(), QSize(620, 335));
    QCOMPARE(box->Picture2->picture().size(), QSize(165, 82));
    QCOMPARE(box->Picture2->palette().color(QPalette::Window), QColor(Qt::white));
    // Both are drawings: a good part of each is not white.
    for (const QPixmap& pm : {box->Image1->picture(), box->Picture2->picture()}) {
        const QImage img = pm.toImage();
        int coloured = 0;
        for (int y = 0; y < img.height(); y += 2)
            for (int x = 0; x < img.width(); x += 2)
                coloured += img.pixelColor(x, y) != QColor(Qt::white);
        QVERIFY(coloured * 4 * 10 > img.width() * img.height());
    }
}

void TestAbout::position_data() {
    QTest::addColumn<QRect>("mainWindow"); // pixels, outer measures frame included
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<QPoint>("expected");
    // Only the main window's size counts: (size - box) / 2 from the screen's corner.
    QTest::newRow("at the corner") << QRect(0, 0, 705, 525) << false << QPoint(40, 30);
    QTest::newRow("moved away") << QRect(300, 200, 705, 525) << false << QPoint(40, 30);
    QTest::newRow("odd halves") << QRect(120, 40, 804, 512) << false << QPoint(90, 24);
    QTest::newRow("maximised") << QRect(50, 50, 400, 300) << true << QPoint(-1, -1);
    // The box stays on the 1024 × 768 screen.
    QTest::newRow("main window smaller than the box")
        << QRect(100, 100, 300, 200) << false << QPoint(0, 0);
    QTest::newRow("main window larger than the screen")
        << QRect(0, 0, 1800, 1400) << false << QPoint(1024 - 625, 768 - 465);
}

void TestAbout::position() {
    QFETCH(QRect, mainWindow);
    QFETCH(bool, maximised);
    QFETCH(QPoint, expected);
    World w;
    w.form->setWindowTwips(WindowTwips{mainWindow.x() * 15.0, mainWindow.y() * 15.0,
                                       mainWindow.width() * 15.0, mainWindow.height() * 15.0});
    if (maximised) {
        w.form->showMaximized();
        QTRY_VERIFY(w.form->isMaximized());
        QTRY_VERIFY(w.form->frameGeometry().size() != mainWindow.size());
        const QSize s = w.form->frameGeometry().size();
        expected =
            QPoint(qRound((s.width() * 15 - 9375) / 30.0), qRound((s.height() * 15 - 6975) / 30.0));
    }
    if (!maximised)
        QTRY_COMPARE(w.form->frameGeometry().size(), mainWindow.size());
    frmAbout* box = w.openAbout();
    QVERIFY(box);
    QCOMPARE(box->pos(), expected);
}

void TestAbout::okEnablesMainWindow() {
    World w;
    QPointer<frmAbout> box = w.openAbout();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QVERIFY(!w.form->isEnabled());
    QVERIFY(box->isEnabled());
    QVERIFY(box->SSCommand1->isEnabled());
    QTest::mouseClick(box->SSCommand1, Qt::LeftButton);
    QVERIFY(w.form->isEnabled());
    QTRY_VERIFY(box.isNull());
    QVERIFY(w.links->opened.isEmpty());
}

void TestAbout::otherWaysOutEnableMainWindow_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("window-close key") << "close";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("Return on OK") << "return";
}

void TestAbout::otherWaysOutEnableMainWindow() {
    QFETCH(QString, way);
    World w;
    QPointer<frmAbout> box = w.openAbout();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QVERIFY(!w.form->isEnabled());
    if (way == QLatin1String("close"))
        box->close(); // what the window manager does for the close key
    else if (way == QLatin1String("escape"))
        QTest::keyClick(box->SSCommand1, Qt::Key_Escape);
    else
        QTest::keyClick(box->SSCommand1, Qt::Key_Return);
    QTRY_VERIFY(box.isNull());
    QVERIFY(w.form->isEnabled());
    QVERIFY(w.links->opened.isEmpty());
}

void TestAbout::webButtonOpensHomePageAndCloses() {
    World w;
    // The taskbar was hidden by the taskbar command.
    w.env.app().TaskbarHandle = w.env.app().platform.taskbar->FindWindow();
    w.env.app().platform.taskbar->ShowWindow(w.env.app().TaskbarHandle, Taskbar::Hide);
    QPointer<frmAbout> box = w.openAbout();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QTest::mouseClick(box->SSCommand2, Qt::LeftButton);
    QCOMPARE(w.links->opened,
             QList<QUrl>{QUrl(QStringLiteral("http://www.quillon-software.example"))});
    QVERIFY(w.env.taskbar().visible);
    QVERIFY(w.form->isEnabled());
    QTRY_VERIFY(box.isNull());
}

void TestAbout::eachAboutLoadsAfresh() {
    World w;
    QPointer<frmAbout> first = w.openAbout();
    QVERIFY(first);
    // The menu cannot be reached while the box is open; were it reached,
    // the open box is raised instead of a second one.
    QCOMPARE(w.openAbout(), first.data());
    QCOMPARE(w.form->findChildren<frmAbout*>().size(), 1);
    QTest::mouseClick(first->SSCommand1, Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    frmAbout* second = w.openAbout();
    QVERIFY(second);
    QVERIFY(!w.form->isEnabled());
    QCOMPARE(second->panQuillon->caption().left(16), QStringLiteral("Quillon Software"));
}

void TestAbout::webLinks_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("url");
    QTest::newRow("home page") << "mnuQuillonSoftware"
                               << "http://www.quillon-software.example";
    QTest::newRow("registration") << "mnuRegisterOL"
                                  << "http://www.quillon-software.example/register.htm";
}

void TestAbout::webLinks() {
    QFETCH(QString, command);
    QFETCH(QString, url);
    World w;
    QAction* action = command == QLatin1String("mnuRegisterOL") ? w.form->mnuRegisterOL
                                                                : w.form->mnuQuillonSoftware;
    // Chosen from the Help menu with the mouse.
    QMenuBar* bar = w.form->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(w.form->mnuHelp->menuAction()).center());
    QTRY_VERIFY(w.form->mnuHelp->isVisible());
    QTest::mouseClick(w.form->mnuHelp, Qt::LeftButton, Qt::NoModifier,
                      w.form->mnuHelp->actionGeometry(action).center());
    QTRY_COMPARE(w.links->opened, QList<QUrl>{QUrl(url)});
    // Never hidden: nothing to show, nothing else happens.
    QCOMPARE(w.env.taskbar().showCalls, 0);
    QVERIFY(w.env.messages().calls.isEmpty());
    QVERIFY(w.form->isEnabled());
}

void TestAbout::addressesBecomeWebAddresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url");
    QTest::newRow("bare host") << "www.quillon-software.example"
                               << "http://www.quillon-software.example";
    QTest::newRow("host and path") << "www.quillon-software.example/register.htm"
                                   << "http://www.quillon-software.example/register.htm";
    QTest::newRow("scheme kept") << "https://www.quillon-software.example/a"
                                 << "https://www.quillon-software.example/a";
    QTest::newRow("blanks around") << "  www.quillon-software.example "
                                   << "http://www.quillon-software.example";
}

void TestAbout::addressesBecomeWebAddresses() {
    QFETCH(QString, address);
    QFETCH(QString, url);
    QCOMPARE(ShellLinks::urlForAddress(address), QUrl(url));
}

void TestAbout::helpContentsAsksForTheShippedFile() {
    World w;
    auto viewer = std::make_shared<RecordingHelpViewer>();
    w.env.app().platform.helpViewer = viewer;
    w.form->mnuContents->trigger();
    QCOMPARE(viewer->shown.size(), 1);
    QCOMPARE(viewer->shown[0].first,
             QCoreApplication::applicationDirPath() + QStringLiteral("/KestrunAds.HLP"));
    QCOMPARE(viewer->shown[0].second, HelpViewer::Contents);
    QCOMPARE(HelpFilePath(), viewer->shown[0].first);
}

void TestAbout::helpWindowShowsContentsAndEveryCommand() {
    World w;
    SystemHelpViewer viewer;
    viewer.ShowHelp(QStringLiteral(KESTRUN_HELP_FILE), HelpViewer::Contents);
    HelpWindow* window = viewer.window();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->browser()->source().fragment(), QStringLiteral("contents"));
    const QString text = window->browser()->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("Kestrun Ads Help: Contents")));
    // One topic per command of the menus, each reached from the contents.
    QFile file(QStringLiteral(KESTRUN_HELP_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    QStringList commands;
    for (QAction* a : w.form->menuBar()->actions()) {
        const QList<QAction*> items = a->menu() ? a->menu()->actions() : QList<QAction*>{a};
        for (QAction* item : items)
            if (!item->isSeparator())
                commands << shownCaption(item);
    }
    QCOMPARE(commands.size(), 15);
    for (const QString& command : commands) {
        const QRegularExpression heading(
            QStringLiteral("<h2><a name=\"([a-z]+)\"></a>[^<]*%1[^<]*</h2>")
                .arg(QRegularExpression::escape(command)));
        const QRegularExpressionMatch topic = heading.match(html);
        QVERIFY2(topic.hasMatch(), qPrintable(command));
        QVERIFY2(html.contains(QStringLiteral("href=\"#%1\"").arg(topic.captured(1))),
                 qPrintable(command));
    }
    // A topic reached by a link; the Contents button leads back.
    window->browser()->setSource(QUrl(QStringLiteral("#about")));
    QCOMPARE(window->browser()->source().fragment(), QStringLiteral("about"));
    QPushButton* contents = nullptr;
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == QLatin1String("Contents"))
            contents = b;
    QVERIFY(contents);
    QTest::mouseClick(contents, Qt::LeftButton);
    QCOMPARE(window->browser()->source().fragment(), QStringLiteral("contents"));
    // A second request raises the same window.
    viewer.ShowHelp(QStringLiteral(KESTRUN_HELP_FILE), HelpViewer::Contents);
    QCOMPARE(viewer.window(), window);
}

void TestAbout::helpWindowWithoutFile() {
    SystemHelpViewer viewer;
    viewer.ShowHelp(QStringLiteral("/nonexistent/KestrunAds.HLP"), HelpViewer::Contents);
    QVERIFY(viewer.window());
    QVERIFY(viewer.window()->browser()->toPlainText().contains(
        QStringLiteral("/nonexistent/KestrunAds.HLP")));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
