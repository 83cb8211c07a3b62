// The desktop's dock windows found, hidden and shown over X11. Under a
// virtual X display the test makes its own dock windows, as a desktop panel
// would; on any other platform there is no taskbar and nothing happens.
#include "platform/taskbar.h"
#include "platform/taskbar_x11.h"

#include <QGuiApplication>
#include <QtTest>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

class TestTaskbarX11 : public QObject {
    Q_OBJECT
private slots:
    void elsewhereNothingHappens();
    void docksAreHiddenAndShown();
    void vanishedDockIsNoFailure();
};

namespace {

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// A second client of the display: the desktop's panel program.
class Desktop {
public:
    Desktop() {
        int screenNumber = 0;
        m_c = xcb_connect(nullptr, &screenNumber);
        auto it = xcb_setup_roots_iterator(xcb_get_setup(m_c));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&it);
        m_screen = it.data;
    }
    ~Desktop() { xcb_disconnect(m_c); }
    bool ok() const { return m_c && !xcb_connection_has_error(m_c); }

    // A mapped window, a dock when asked, inside parent (the root when 0).
    xcb_window_t window(bool dock, xcb_window_t parent = 0) {
        const xcb_window_t w = xcb_generate_id(m_c);
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, w, parent ? parent : m_screen->root, 0, 0, 200,
                          24, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual, 0, nullptr);
        if (dock) {
            const xcb_atom_t type = atom("_NET_WM_WINDOW_TYPE");
            const xcb_atom_t value = atom("_NET_WM_WINDOW_TYPE_DOCK");
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, w, type, XCB_ATOM_ATOM, 32, 1, &value);
        }
        xcb_map_window(m_c, w);
        sync();
        return w;
    }
    void destroy(xcb_window_t w) {
        xcb_destroy_window(m_c, w);
        sync();
    }
    bool mapped(xcb_window_t w) {
        auto* reply =
            xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, w), nullptr);
        const bool result = reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
        std::free(reply);
        return result;
    }

private:
    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return a;
    }
    void sync() { std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr)); }

    xcb_connection_t* m_c = nullptr;
    xcb_screen_t* m_screen = nullptr;
};

} // namespace

void TestTaskbarX11::elsewhereNothingHappens() {
    if (onX11())
        QSKIP("running on X11");
    QVERIFY(!makeX11Taskbar());
    auto taskbar = makeSystemTaskbar();
    QVERIFY(taskbar);
    const quintptr handle = taskbar->FindWindow();
    QCOMPARE(handle, quintptr(0));
    taskbar->ShowWindow(handle, Taskbar::Hide);
    QVERIFY(!taskbar->hiddenByUs());
}

void TestTaskbarX11::docksAreHiddenAndShown() {
    if (!onX11())
        QSKIP("needs an X display (run under Xvfb)");
    Desktop desktop;
    QVERIFY(desktop.ok());
    auto taskbar = makeSystemTaskbar();
    // Before any panel exists there is no taskbar.
    QCOMPARE(taskbar->FindWindow(), quintptr(0));

    const xcb_window_t panel = desktop.window(true);
    const xcb_window_t frame = desktop.window(false);
    const xcb_window_t framedPanel = desktop.window(true, frame);
    const xcb_window_t ordinary = desktop.window(false);

    const quintptr handle = taskbar->FindWindow();
    QCOMPARE(handle, quintptr(panel));
    taskbar->ShowWindow(handle, Taskbar::Hide);
    QVERIFY(!desktop.mapped(panel));
    QVERIFY(!desktop.mapped(framedPanel));
    QVERIFY(desktop.mapped(frame));
    QVERIFY(desktop.mapped(ordinary));
    QVERIFY(taskbar->hiddenByUs());

    // Hidden panels are found again by the next search, and shown.
    QCOMPARE(taskbar->FindWindow(), handle);
    taskbar->ShowWindow(handle, Taskbar::ShowNormal);
    QVERIFY(desktop.mapped(panel));
    QVERIFY(desktop.mapped(framedPanel));
    QVERIFY(!taskbar->hiddenByUs());

    // The program's end brings back what it hid.
    taskbar->ShowWindow(handle, Taskbar::Hide);
    taskbar->restoreIfHidden();
    QVERIFY(desktop.mapped(panel));

    for (xcb_window_t w : {framedPanel, frame, panel, ordinary})
        desktop.destroy(w);
}

void TestTaskbarX11::vanishedDockIsNoFailure() {
    if (!onX11())
        QSKIP("needs an X display (run under Xvfb)");
    Desktop desktop;
    QVERIFY(desktop.ok());
    const xcb_window_t panel = desktop.window(true);
    auto taskbar = makeSystemTaskbar();
    const quintptr handle = taskbar->FindWindow();
    QCOMPARE(handle, quintptr(panel));
    desktop.destroy(panel);
    taskbar->ShowWindow(handle, Taskbar::Hide);
    taskbar->ShowWindow(handle, Taskbar::ShowNormal);
    QCOMPARE(taskbar->FindWindow(), quintptr(0));
}

QTEST_MAIN(TestTaskbarX11)
#include "tst_taskbar_x11.moc"
