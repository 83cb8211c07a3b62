// The taskbar command on the menu bar and the resize rule, against a
// recording taskbar.
#include "commandfakes.h"
#include "fixtures.h"
#include "platform/endsignals.h"
#include "shell/form1.h"
#include "shell/form1_load.h"
#include "shell/menukeys.h"
#include "shell/taskbar_command.h"

#include <QAction>
#include <QResizeEvent>
#include <QtTest>
#include <csignal>

class TestTaskbar : public QObject {
    Q_OBJECT
private slots:
    void handleIsZeroUntilUsed();
    void hideSpreadsWindowOverScreen_data();
    void hideSpreadsWindowOverScreen();
    void changeWhileHiddenShowsTaskbar_data();
    void changeWhileHiddenShowsTaskbar();
    void movingDoesNotShowTaskbar();
    void lateAnswerToHidingIsNoUserResize();
    void secondUseShowsTaskbar();
    void webLinkWhileHiddenKeepsCaption();
    void exitAfterHideShowsTaskbar();
    void signalFromOutsideShowsTaskbar_data();
    void signalFromOutsideShowsTaskbar();
    void noTaskbarChangesNothingElse();
};

namespace {

// A main window on an 800 × 600 screen, loaded, shown at a place and size of
// its own.
struct Shown {
    TestEnv env;
    std::unique_ptr<Form1> form;
    RecordingShellLinks* links = nullptr;

    explicit Shown(Qt::WindowState state = Qt::WindowNoState) {
        env.setCommand(QStringLiteral("HWI"));
        env.setScreenPixels(800, 600);
        auto recorder = std::make_shared<RecordingShellLinks>();
        links = recorder.get();
        env.app().platform.shellLinks = recorder;
        form = std::make_unique<Form1>(env.app());
        QVERIFY(Form1_Load(env.app(), *form));
        // The tests resize at once, as no hand could; the window system's
        // own answers are tested on their own.
        command()->setSettleTime(0);
        form->setGeometry(60, 50, 500, 400);
        form->setWindowState(state);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    TaskbarCommand* command() const { return form->findChild<TaskbarCommand*>(); }
    QString caption() const { return shownCaption(form->mnuHideStatus); }
    void clickCommand() { clickMenuBarCommand(form->menuBar(), form->mnuHideStatus); }
    // Hides the taskbar and waits until the window, frame included, has taken
    // the whole screen.
    void hide() {
        clickCommand();
        QCOMPARE(caption(), QStringLiteral("ShowStatusBar"));
        QTRY_COMPARE(form->frameGeometry(), QRect(0, 0, 800, 600));
        QCoreApplication::processEvents();
    }
};

} // namespace

void TestTaskbar::handleIsZeroUntilUsed() {
    Shown s;
    QVERIFY(s.form->mnuHideStatus->isVisible());
    QCOMPARE(s.caption(), QStringLiteral("HideStatusBar"));
    s.form->resize(420, 300);
    s.form->showMaximized();
    QTRY_VERIFY(s.form->isMaximized());
    QCOMPARE(s.env.app().TaskbarHandle, quintptr(0));
    // The web link shows "the taskbar" with handle 0: nothing happens.
    s.form->mnuQuillonSoftware->trigger();
    QCOMPARE(s.env.taskbar().showCalls, 0);
    QCOMPARE(s.env.taskbar().hideCalls, 0);
    QCOMPARE(s.caption(), QStringLiteral("HideStatusBar"));
}

void TestTaskbar::hideSpreadsWindowOverScreen_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("from normal") << int(Qt::WindowNoState);
    QTest::newRow("from maximised") << int(Qt::WindowMaximized);
    QTest::newRow("from minimised") << int(Qt::WindowMinimized);
}

void TestTaskbar::hideSpreadsWindowOverScreen() {
    QFETCH(int, state);
    Shown s{Qt::WindowState(state)};
    s.hide();
    QCOMPARE(s.env.app().TaskbarHandle, RecordingTaskbar::Handle);
    QCOMPARE(s.env.taskbar().hideCalls, 1);
    QVERIFY(!s.env.taskbar().visible);
    QCOMPARE(s.form->windowState(), Qt::WindowNoState);
    // The window's own answers to the command did not undo it.
    QCOMPARE(s.caption(), QStringLiteral("ShowStatusBar"));
    QCOMPARE(s.env.taskbar().showCalls, 0);
    QVERIFY(s.env.messages().calls.isEmpty());
}

void TestTaskbar::changeWhileHiddenShowsTaskbar_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("resize") << "resize";
    QTest::newRow("maximise") << "maximise";
    QTest::newRow("minimise") << "minimise";
}

void TestTaskbar::changeWhileHiddenShowsTaskbar() {
    QFETCH(QString, change);
    Shown s;
    s.hide();
    if (change == QLatin1String("resize"))
        s.form->resize(640, 480);
    else if (change == QLatin1String("maximise"))
        s.form->showMaximized();
    else
        s.form->showMinimized();
    QTRY_COMPARE(s.caption(), QStringLiteral("HideStatusBar"));
    QVERIFY(s.env.taskbar().visible);
    QCOMPARE(s.env.taskbar().showCalls, 1);
    // Already shown: further changes show nothing more.
    s.form->showNormal();
    s.form->resize(500, 300);
    QTRY_COMPARE(s.form->size(), QSize(500, 300));
    QCOMPARE(s.env.taskbar().showCalls, 1);
}

void TestTaskbar::movingDoesNotShowTaskbar() {
    Shown s;
    s.hide();
    s.form->move(30, 20);
    QTRY_COMPARE(s.form->pos(), QPoint(30, 20));
    QCOMPARE(s.caption(), QStringLiteral("ShowStatusBar"));
    QVERIFY(!s.env.taskbar().visible);
}

void TestTaskbar::lateAnswerToHidingIsNoUserResize() {
    Shown s{Qt::WindowMaximized};
    s.command()->setSettleTime(60000);
    s.clickCommand();
    // A window manager answers the restore from maximised and the new size
    // after the command has ended, when the caption reads "ShowStatusBar".
    for (QSize answer : {QSize(500, 400), QSize(796, 596)}) {
        QResizeEvent event(answer, s.form->size());
        QCoreApplication::sendEvent(s.form.get(), &event);
    }
    QCOMPARE(s.caption(), QStringLiteral("ShowStatusBar"));
    QVERIFY(!s.env.taskbar().visible);
    // Maximising is the user's, however soon it comes.
    s.form->showMaximized();
    QTRY_COMPARE(s.caption(), QStringLiteral("HideStatusBar"));
    QVERIFY(s.env.taskbar().visible);
}

void TestTaskbar::secondUseShowsTaskbar() {
    Shown s;
    s.hide();
    s.env.app().TaskbarHandle = 0; // found anew at every use
    s.clickCommand();
    QCOMPARE(s.env.app().TaskbarHandle, RecordingTaskbar::Handle);
    QCOMPARE(s.caption(), QStringLiteral("HideStatusBar"));
    QVERIFY(s.env.taskbar().visible);
    QCOMPARE(s.env.taskbar().showCalls, 1);
    // Showing leaves the window where it is.
    QCOMPARE(s.form->frameGeometry(), QRect(0, 0, 800, 600));
    // And the cycle can start again.
    s.hide();
    QCOMPARE(s.env.taskbar().hideCalls, 2);
}

void TestTaskbar::webLinkWhileHiddenKeepsCaption() {
    Shown s;
    s.hide();
    s.form->mnuRegisterOL->trigger();
    QVERIFY(s.env.taskbar().visible);
    QCOMPARE(s.links->opened.size(), 1);
    QCOMPARE(s.caption(), QStringLiteral("ShowStatusBar"));
    // The next use shows it again (no visible change) and resets the caption.
    s.clickCommand();
    QCOMPARE(s.env.taskbar().showCalls, 2);
    QCOMPARE(s.env.taskbar().hideCalls, 1);
    QCOMPARE(s.caption(), QStringLiteral("HideStatusBar"));
}

void TestTaskbar::exitAfterHideShowsTaskbar() {
    Shown s;
    s.hide();
    s.form->mnuExit->trigger();
    QCOMPARE(s.env.endCount(), 1);
    QVERIFY(s.env.taskbar().visible);
}

void TestTaskbar::signalFromOutsideShowsTaskbar_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

// Ended from outside: the taskbar is shown again from the event loop, and the
// program ends by the signal without saving the window's geometry.
void TestTaskbar::signalFromOutsideShowsTaskbar() {
    QFETCH(int, signal);
    Shown s;
    std::signal(signal, SIG_DFL); // as a program starts, whatever ran this test
    EndSignals watcher(s.env.app().platform);
    s.hide();
    std::raise(signal);
    QTRY_COMPARE(s.env.endCount(), 1);
    QCOMPARE(s.env.endSignal(), signal);
    QVERIFY(s.env.taskbar().visible);
    QVERIFY(s.env.setting(QStringLiteral("MainLeft")).isEmpty());
}

void TestTaskbar::noTaskbarChangesNothingElse() {
    Shown s;
    s.env.app().platform.taskbar = std::make_shared<NoTaskbar>();
    s.hide();
    QCOMPARE(s.env.app().TaskbarHandle, quintptr(0));
    QVERIFY(s.env.messages().calls.isEmpty());
    s.clickCommand();
    QCOMPARE(s.caption(), QStringLiteral("HideStatusBar"));
    QCOMPARE(s.env.taskbar().hideCalls + s.env.taskbar().showCalls, 0);
}

QTEST_MAIN(TestTaskbar)
#include "tst_taskbar.moc"
