#include "platform/desktop/panels.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace platform {
namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const ReplyPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool isDock(xcb_connection_t *connection, xcb_window_t window)
{
    // The program has one display connection: its atoms are asked for once.
    static const xcb_atom_t type = atom(connection, "_NET_WM_WINDOW_TYPE");
    static const xcb_atom_t dock = atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
    if (type == XCB_ATOM_NONE || dock == XCB_ATOM_NONE)
        return false;
    const ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, type, XCB_ATOM_ATOM, 0, 32), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto *types = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(types, types + count, dock) != types + count;
}

} // namespace

std::optional<QRect> panelUnderPointer()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto childUnderPointer = [connection](xcb_window_t window) -> xcb_window_t {
        const ReplyPointer<xcb_query_pointer_reply_t> pointer(
            xcb_query_pointer_reply(connection, xcb_query_pointer(connection, window), nullptr));
        return pointer ? pointer->child : xcb_window_t(XCB_WINDOW_NONE);
    };
    // The top-level window under the pointer; a window manager may have put the panel in a
    // frame of its own (xfwm4 does), so the dock is looked for a few levels down.
    const xcb_window_t topLevel = childUnderPointer(root);
    xcb_window_t window = topLevel;
    for (int level = 0; window != XCB_WINDOW_NONE && !isDock(connection, window); ++level)
        window = level < 3 ? childUnderPointer(window) : xcb_window_t(XCB_WINDOW_NONE);
    if (window == XCB_WINDOW_NONE)
        return std::nullopt;
    const ReplyPointer<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, topLevel), nullptr));
    if (!geometry)
        return std::nullopt;
    // X11 counts device pixels; Qt's screens count independent ones.
    const qreal ratio = qGuiApp->devicePixelRatio();
    return QRect(int(geometry->x / ratio), int(geometry->y / ratio), int(geometry->width / ratio),
                 int(geometry->height / ratio));
}

} // namespace platform
