#pragma once

#include "platform/helpviewer.h"
#include "platform/shelllinks.h"

#include <QList>
#include <QMenuBar>
#include <QPair>
#include <QTest>
#include <QUrl>

// Records every address handed to the desktop instead of opening it.
class RecordingShellLinks : public ShellLinks {
public:
    QList<QUrl> opened;

protected:
    bool open(const QUrl& url) override {
        opened << url;
        return true;
    }
};

// Records every request for help instead of showing a window.
class RecordingHelpViewer : public HelpViewer {
public:
    QList<QPair<QString, int>> shown;
    void ShowHelp(const QString& helpFile, int command) override {
        shown << qMakePair(helpFile, command);
    }
};

// Clicks a command that sits on the menu bar itself, as the user does.
inline void clickMenuBarCommand(QMenuBar* bar, QAction* action) {
    const QRect r = bar->actionGeometry(action);
    QVERIFY2(r.isValid(), qPrintable(action->text()));
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, r.center());
}
