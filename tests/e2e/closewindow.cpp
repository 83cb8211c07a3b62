// e2e-close WINDOW: asks an X window to close the way a window manager's
// close box does, with a WM_DELETE_WINDOW message. Under Xvfb with no window
// manager nothing else can click a close box for the end-to-end run.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return a;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e-close WINDOW\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "e2e-close: no X display\n");
        return 1;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(c, "WM_PROTOCOLS");
    event.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_void_cookie_t sent = xcb_send_event_checked(c, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                                    reinterpret_cast<const char*>(&event));
    xcb_generic_error_t* error = xcb_request_check(c, sent);
    const int rc = error ? 1 : 0;
    if (error)
        std::fprintf(stderr, "e2e-close: window %s could not be sent the message\n", argv[1]);
    std::free(error);
    xcb_disconnect(c);
    return rc;
}
