// Asks an X window to close as a window manager does (a WM_DELETE_WINDOW message), so that a
// test needs no window manager for it.
//
//   torvane-wm-close WINDOW_ID
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: torvane-wm-close WINDOW_ID\n", stderr);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fputs("torvane-wm-close: no X display\n", stderr);
        return 1;
    }
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    m.type = atom(c, "WM_PROTOCOLS");
    m.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    m.data.data32[1] = XCB_CURRENT_TIME;
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_send_event_checked(c, 0, m.window, XCB_EVENT_MASK_NO_EVENT,
                                                    reinterpret_cast<const char*>(&m)));
    const bool ok = error == nullptr;
    std::free(error);
    xcb_disconnect(c);
    return ok ? 0 : 1;
}
