#include "platform/app/desktop_windows.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QVector>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace vellum {

#if QT_CONFIG(xcb)

namespace {

/// Replies from xcb are malloc'ed by it and freed with free().
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t* c) {
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    return screens.rem > 0 ? screens.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

/// The whole value of a property, or nothing when the window does not have it.
Reply<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name,
                                         xcb_atom_t type) {
    // Long enough for any title or client list; the length is counted in 32-bit units.
    constexpr uint32_t Longest = 1 << 20;
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, Longest), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE)
        return nullptr;
    return reply;
}

/// The top-level windows of every program: the window manager's client list when there is one,
/// else the mapped children of the root.
QVector<xcb_window_t> topLevelWindows(xcb_connection_t* c, xcb_window_t root) {
    QVector<xcb_window_t> windows;
    if (const auto list = property(c, root, atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW)) {
        const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
        const int count =
            xcb_get_property_value_length(list.get()) / static_cast<int>(sizeof(xcb_window_t));
        windows.reserve(count);
        for (int i = 0; i < count; ++i)
            windows << ids[i];
        return windows;
    }
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (!tree)
        return windows;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = 0; i < count; ++i) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
            windows << children[i];
    }
    return windows;
}

/// The window's title: its UTF-8 name when it has one, else the older Latin-1 one.
QString titleOf(xcb_connection_t* c, xcb_window_t window, xcb_atom_t netName, xcb_atom_t utf8) {
    if (const auto name = property(c, window, netName, utf8)) {
        return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name.get())),
                                 xcb_get_property_value_length(name.get()));
    }
    if (const auto name = property(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING)) {
        return QString::fromLatin1(static_cast<const char*>(xcb_get_property_value(name.get())),
                                   xcb_get_property_value_length(name.get()));
    }
    return QString();
}

} // namespace

bool canSeeDesktopWindows() {
    return x11Connection() != nullptr;
}

DesktopWindow findWindowByTitle(const QString& title) {
    xcb_connection_t* c = x11Connection();
    if (!c || title.isEmpty())
        return 0;
    const xcb_window_t root = rootWindow(c);
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    for (const xcb_window_t window : topLevelWindows(c, root)) {
        if (titleOf(c, window, netName, utf8) == title)
            return window;
    }
    return 0;
}

bool activateDesktopWindow(DesktopWindow window) {
    xcb_connection_t* c = x11Connection();
    if (!c || window == 0)
        return false;
    const xcb_window_t root = rootWindow(c);
    if (property(c, root, atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW)) {
        // A window manager decides which window is active; it is asked, as a pager would
        // (source 2), so that it does not refuse the request as a focus theft.
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom(c, "_NET_ACTIVE_WINDOW");
        message.data.data32[0] = 2;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    } else {
        // Nobody manages the windows: raise it and give it the keyboard ourselves.
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    }
    xcb_flush(c);
    return true;
}

#else

bool canSeeDesktopWindows() {
    return false;
}

DesktopWindow findWindowByTitle(const QString&) {
    return 0;
}

bool activateDesktopWindow(DesktopWindow) {
    return false;
}

#endif

} // namespace vellum
