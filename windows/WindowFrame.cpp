// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFrame.h"

#include <QWidget>

#include <algorithm>
#include <optional>
#include <vector>

#if defined(KALIMAR_HAVE_XCB)
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QtGui/qguiapplication_platform.h>
#if QT_CONFIG(xcb)
#define KALIMAR_ASK_X11 1
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif
#endif

namespace {

QMargins KnownMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry(), client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

#if defined(KALIMAR_ASK_X11)

// xcb replies are malloc'ed.
template <typename Reply>
struct Owned {
    Reply* reply;
    ~Owned() { std::free(reply); }
    Reply* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    const Owned<xcb_intern_atom_reply_t> r{
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr)};
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a property, or none when it is not set.
std::optional<std::vector<uint32_t>> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type)
{
    const Owned<xcb_get_property_reply_t> r{
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, 1024), nullptr)};
    if (!r || r->type != type || r->format != 32)
        return std::nullopt;
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(r.reply));
    return std::vector<uint32_t>(values, values + xcb_get_property_value_length(r.reply) / 4);
}

// A window manager that runs now (its check window exists) and answers
// frame extent requests.
bool WindowManagerAnswers(xcb_connection_t* c, xcb_window_t root, xcb_atom_t request)
{
    const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
    const auto rootCheck = Property(c, root, check, XCB_ATOM_WINDOW);
    if (!rootCheck || rootCheck->size() != 1)
        return false;
    const auto selfCheck = Property(c, rootCheck->front(), check, XCB_ATOM_WINDOW);
    if (!selfCheck || *selfCheck != *rootCheck)
        return false;
    const auto supported = Property(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return supported && std::find(supported->begin(), supported->end(), request) != supported->end();
}

std::optional<QMargins> ReadExtents(xcb_connection_t* c, xcb_window_t w, xcb_atom_t extents)
{
    const auto v = Property(c, w, extents, XCB_ATOM_CARDINAL);
    if (!v || v->size() != 4)
        return std::nullopt;
    // Stored as left, right, top, bottom.
    return QMargins(int((*v)[0]), int((*v)[2]), int((*v)[1]), int((*v)[3]));
}

std::optional<QMargins> AskWindowManager(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return std::nullopt;
    const auto w = static_cast<xcb_window_t>(window->winId());
    const Owned<xcb_get_geometry_reply_t> geometry{xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr)};
    if (!geometry)
        return std::nullopt;
    const xcb_window_t root = geometry->root;
    const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
    if (!WindowManagerAnswers(c, root, request))
        return std::nullopt;
    if (const auto known = ReadExtents(c, w, extents))
        return known;
    xcb_client_message_event_t ask;
    std::memset(&ask, 0, sizeof ask);
    ask.response_type = XCB_CLIENT_MESSAGE;
    ask.format = 32;
    ask.window = w;
    ask.type = request;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&ask));
    xcb_flush(c);
    // The answer is a property set on the window, usually within a few
    // round trips; a window manager that does not answer costs a moment once.
    QElapsedTimer clock;
    clock.start();
    do {
        if (const auto answer = ReadExtents(c, w, extents))
            return answer;
        QThread::msleep(1);
    } while (clock.elapsed() < 300);
    return std::nullopt;
}

#endif

}  // namespace

QMargins FrameMargins(QWidget* window)
{
    const QMargins known = KnownMargins(window);
    if (!known.isNull())
        return known;
#if defined(KALIMAR_ASK_X11)
    if (const auto answer = AskWindowManager(window))
        return *answer;
#endif
    return {};
}

void CentreFrameOn(QWidget* window, const QRect& area, const QRect& bounds)
{
    const QMargins frame = FrameMargins(window);
    const QSize outer = window->size().grownBy(frame);
    const int left = std::max(bounds.left(), area.left() + (area.width() - outer.width()) / 2);
    const int top = std::max(bounds.top(), area.top() + (area.height() - outer.height()) / 2);
    // The client area's place: the window manager then draws the frame round
    // it exactly where it was reckoned.
    window->setGeometry(QRect(QPoint(left + frame.left(), top + frame.top()), window->size()));
}
