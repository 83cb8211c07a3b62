#include "menukeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QShortcut>

namespace {

// Whether Alt is held, as the last key event told; the underline follows it.
bool altHeld = false;

class MenuKeyStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        if (hint == SH_UnderlineShortcut)
            return altHeld ? 1 : 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Repaints the bar and its open menus when Alt goes down or up.
class AltWatch : public QObject {
public:
    explicit AltWatch(QMenuBar* bar) : QObject(bar), m_bar(bar) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool held = key->key() == Qt::Key_Alt ? type == QEvent::KeyPress
                                                        : bool(key->modifiers() & Qt::AltModifier);
            setHeld(held);
        } else if (type == QEvent::ApplicationDeactivate) {
            setHeld(false);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void setHeld(bool held) {
        if (held == altHeld)
            return;
        altHeld = held;
        m_bar->update();
        for (QAction* a : m_bar->actions())
            if (a->menu() && a->menu()->isVisible())
                a->menu()->update();
    }

    QPointer<QMenuBar> m_bar;
};

} // namespace

void InstallMenuKeys(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    auto* style = new MenuKeyStyle;
    style->setParent(bar);
    bar->setStyle(style);
    for (QAction* a : bar->actions())
        if (a->menu())
            a->menu()->setStyle(style);
    qApp->installEventFilter(new AltWatch(bar));

    // F10 opens the first menu, as on other desktops.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        const QList<QAction*> actions = bar->actions();
        if (!actions.isEmpty())
            bar->setActiveAction(actions.first());
    });
}

QString shownCaption(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i; // "&&" shows one ampersand; "&x" shows x
        shown += text.at(i);
    }
    return shown;
}

QString shownCaption(const QAction* action) {
    return shownCaption(action->text());
}
