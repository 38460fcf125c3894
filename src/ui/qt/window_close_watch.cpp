#include "ui/qt/window_close_watch.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace {

std::uint32_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 1, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const std::uint32_t value = reply ? reply->atom : 0;
    std::free(reply);
    return value;
}

}  // namespace

WindowCloseWatch::WindowCloseWatch(QWidget& window) : window_(window) {
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (xcb_connection_t* connection = x11->connection()) {
            protocols_ = atom(connection, "WM_PROTOCOLS");
            deleteWindow_ = atom(connection, "WM_DELETE_WINDOW");
        }
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowCloseWatch::WindowCloseWatch(QWidget& window, std::uint32_t protocols,
                                   std::uint32_t deleteWindow)
    : window_(window), protocols_(protocols), deleteWindow_(deleteWindow) {}

WindowCloseWatch::~WindowCloseWatch() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool WindowCloseWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t" || !message || !window_.testAttribute(Qt::WA_WState_Created))
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto id = std::uint32_t(window_.winId());
    bool close = false;
    switch (event->response_type & 0x7f) {
        case DESTROY_NOTIFY:
            close = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == id;
            break;
        case CLIENT_MESSAGE: {
            // Qt delivers the close itself unless a modal box blocks the window.
            const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(event);
            close = m->window == id && m->format == 32 && protocols_ != 0 &&
                    m->type == protocols_ && m->data.data32[0] == deleteWindow_ &&
                    QApplication::activeModalWidget() != nullptr;
            break;
        }
        default: break;
    }
    // Straight to the widget, which puts the close off while its box is open.
    if (close) window_.close();
    return false;
}
