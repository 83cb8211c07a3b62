#include "taskbar_x11.h"

#ifdef KESTRUN_HAVE_XCB

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>
#include <xcb/xcb.h>

namespace {

using Windows = std::vector<xcb_window_t>;

class X11Taskbar : public Taskbar {
public:
    explicit X11Taskbar(xcb_connection_t* connection) : m_c(connection) {}

protected:
    quintptr doFind() override;
    void doHide(quintptr handle) override { setMapped(handle, false); }
    void doShow(quintptr handle) override { setMapped(handle, true); }

private:
    xcb_atom_t atom(const char* name) const;
    Windows docksAmong(const Windows& windows, xcb_atom_t type, xcb_atom_t dock) const;
    Windows childrenOf(const Windows& parents) const;
    void setMapped(quintptr handle, bool mapped);

    xcb_connection_t* m_c;
    // The dock windows found by each search, under the handle that stands for them.
    std::map<quintptr, Windows> m_docks;
};

xcb_atom_t X11Taskbar::atom(const char* name) const {
    // Only an existing atom: a display where no one ever named it has no docks.
    const auto cookie = xcb_intern_atom(m_c, 1, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(m_c, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

// Requests go out together and the replies are read after, so a search costs
// one round trip per level of the window tree, not one per window.
Windows X11Taskbar::docksAmong(const Windows& windows, xcb_atom_t type, xcb_atom_t dock) const {
    std::vector<xcb_get_property_cookie_t> cookies;
    cookies.reserve(windows.size());
    for (xcb_window_t w : windows)
        cookies.push_back(xcb_get_property(m_c, 0, w, type, XCB_ATOM_ATOM, 0, 32));
    Windows docks;
    for (size_t i = 0; i < windows.size(); ++i) {
        xcb_generic_error_t* error = nullptr;
        xcb_get_property_reply_t* reply = xcb_get_property_reply(m_c, cookies[i], &error);
        std::free(error);
        if (!reply)
            continue;
        if (reply->format == 32) {
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            const int n = xcb_get_property_value_length(reply) / int(sizeof(xcb_atom_t));
            for (int k = 0; k < n; ++k)
                if (atoms[k] == dock) {
                    docks.push_back(windows[i]);
                    break;
                }
        }
        std::free(reply);
    }
    return docks;
}

Windows X11Taskbar::childrenOf(const Windows& parents) const {
    std::vector<xcb_query_tree_cookie_t> cookies;
    cookies.reserve(parents.size());
    for (xcb_window_t w : parents)
        cookies.push_back(xcb_query_tree(m_c, w));
    Windows children;
    for (const auto& cookie : cookies) {
        xcb_generic_error_t* error = nullptr;
        xcb_query_tree_reply_t* reply = xcb_query_tree_reply(m_c, cookie, &error);
        std::free(error);
        if (!reply)
            continue;
        const xcb_window_t* list = xcb_query_tree_children(reply);
        children.insert(children.end(), list, list + xcb_query_tree_children_length(reply));
        std::free(reply);
    }
    return children;
}

quintptr X11Taskbar::doFind() {
    const xcb_atom_t type = atom("_NET_WM_WINDOW_TYPE");
    const xcb_atom_t dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
    if (type == XCB_ATOM_NONE || dock == XCB_ATOM_NONE)
        return 0;
    Windows roots;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(m_c)); it.rem; xcb_screen_next(&it))
        roots.push_back(it.data->root);
    // Docks are top-level windows; a window manager that frames them puts
    // them one level further down.
    const Windows topLevel = childrenOf(roots);
    Windows docks = docksAmong(topLevel, type, dock);
    const Windows framed = docksAmong(childrenOf(topLevel), type, dock);
    docks.insert(docks.end(), framed.begin(), framed.end());
    if (docks.empty())
        return 0;
    const quintptr handle = docks.front();
    m_docks[handle] = docks;
    return handle;
}

void X11Taskbar::setMapped(quintptr handle, bool mapped) {
    const auto found = m_docks.find(handle);
    if (found == m_docks.end())
        return;
    std::vector<xcb_void_cookie_t> cookies;
    for (xcb_window_t w : found->second)
        cookies.push_back(mapped ? xcb_map_window_checked(m_c, w)
                                 : xcb_unmap_window_checked(m_c, w));
    // A dock that went away in the meantime is no failure worth reporting.
    for (const auto& cookie : cookies)
        std::free(xcb_request_check(m_c, cookie));
}

} // namespace

std::shared_ptr<Taskbar> makeX11Taskbar() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    return std::make_shared<X11Taskbar>(x11->connection());
}

#else

std::shared_ptr<Taskbar> makeX11Taskbar() {
    return nullptr;
}

#endif
