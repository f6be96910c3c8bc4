#include "platform/x11_selection.h"

#include "platform/runtime_error.h"
#include "platform/termination.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <poll.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

// Last: its macros (None, Bool, Status) would clash with names in Qt's headers.
#include <X11/Xlib.h>

namespace platform::x11 {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// An owner that sends nothing for this long has failed. Each part of a large
// text starts the wait again, so a transfer of any size may take longer.
constexpr auto stallLimit = 2s;
// How often a wait looks for a termination signal, which may have been
// delivered to another thread and not have interrupted our poll().
constexpr auto signalCheck = 50ms;

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

// `why` is marked for translation in the same context.
[[noreturn]] void fail(const char *why)
{
    raise(err::CantOpenClipboard,
          QCoreApplication::translate("platform::Clipboard", "Can't open Clipboard: %1")
              .arg(QCoreApplication::translate("platform::Clipboard", why)));
}

// The text targets in the order they are asked for: UTF-8 first, then what
// Qt also reads, STRING and TEXT as Latin-1.
constexpr struct
{
    const char *name;
    bool utf8;
} textTargets[] = {{"UTF8_STRING", true},
                   {"text/plain;charset=utf-8", true},
                   {"text/plain", true},
                   {"STRING", false},
                   {"TEXT", false}};

using TextAtoms = xcb_atom_t[std::size(textTargets)];

struct Connection
{
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = XCB_NONE;
    xcb_atom_t clipboard = XCB_NONE, targets = XCB_NONE, incr = XCB_NONE, property = XCB_NONE;
    TextAtoms text = {};
};

// Each name's atom, and the text targets' in `text`; XCB_NONE where the
// server gives none.
void intern(xcb_connection_t *connection, std::vector<std::pair<const char *, xcb_atom_t *>> atoms, TextAtoms &text)
{
    for (std::size_t i = 0; i < std::size(textTargets); ++i)
        atoms.emplace_back(textTargets[i].name, &text[i]);
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const auto &[name, atom] : atoms)
        cookies.push_back(xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name));
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        const Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(connection, cookies[i], nullptr));
        *atoms[i].second = atom ? atom->atom : XCB_NONE;
    }
}

// Opened when first needed, on the display Qt uses, and kept; opened again
// when it broke.
Connection &connection()
{
    static Connection c;
    if (c.connection && !xcb_connection_has_error(c.connection))
        return c;
    if (c.connection)
        xcb_disconnect(c.connection);
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    c.connection = xcb_connect(display ? DisplayString(display) : nullptr, nullptr);
    if (xcb_connection_has_error(c.connection)) {
        xcb_disconnect(c.connection);
        c.connection = nullptr;
        fail(QT_TRANSLATE_NOOP("platform::Clipboard", "no connection to the X server"));
    }
    c.root = xcb_setup_roots_iterator(xcb_get_setup(c.connection)).data->root;
    intern(c.connection,
           {{"CLIPBOARD", &c.clipboard}, {"TARGETS", &c.targets}, {"INCR", &c.incr}, {"CLIPBOARD_READ", &c.property}},
           c.text);
    return c;
}

// A window of its own for each read: an answer that comes after its read
// gave up goes to a window that no longer exists.
class Requestor
{
public:
    explicit Requestor(const Connection &c) : c_(c), window_(xcb_generate_id(c.connection))
    {
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(c.connection, XCB_COPY_FROM_PARENT, window_, c.root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    ~Requestor()
    {
        xcb_destroy_window(c_.connection, window_);
        xcb_flush(c_.connection);
    }
    Requestor(const Requestor &) = delete;
    Requestor &operator=(const Requestor &) = delete;

    xcb_window_t window() const { return window_; }

private:
    const Connection &c_;
    xcb_window_t window_;
};

// The next event that `wanted` accepts; others are dropped. Fails with `why`
// after the stall limit without one.
Reply<xcb_generic_event_t> waitFor(const Connection &c, const std::function<bool(xcb_generic_event_t *)> &wanted,
                                   int signalsAtStart, const char *why)
{
    const auto deadline = Clock::now() + stallLimit;
    for (;;) {
        while (Reply<xcb_generic_event_t> event{xcb_poll_for_event(c.connection)}) {
            if (wanted(event.get()))
                return event;
        }
        if (xcb_connection_has_error(c.connection))
            fail(QT_TRANSLATE_NOOP("platform::Clipboard", "the connection to the X server broke"));
        if (terminationSignals() != signalsAtStart)
            throw Interrupted();
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left <= 0ms)
            fail(why);
        pollfd ready = {xcb_get_file_descriptor(c.connection), POLLIN, 0};
        ::poll(&ready, 1, int(std::min<std::chrono::milliseconds>(left, signalCheck).count()));
    }
}

// The property's value, deleted as it is read, which asks an owner that sends
// in parts for the next one. Null when the property is not there.
Reply<xcb_get_property_reply_t> takeProperty(const Connection &c, xcb_window_t window)
{
    Reply<xcb_get_property_reply_t> value{xcb_get_property_reply(
        c.connection,
        xcb_get_property(c.connection, 1, window, c.property, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4), nullptr)};
    if (!value)
        fail(QT_TRANSLATE_NOOP("platform::Clipboard", "the X server refused to pass it on"));
    return value->type == XCB_NONE ? nullptr : std::move(value);
}

QByteArray bytesOf(xcb_get_property_reply_t *value)
{
    return QByteArray(static_cast<const char *>(xcb_get_property_value(value)), xcb_get_property_value_length(value));
}

// The selection converted to `target`, whole. False when the owner refused.
bool convert(const Connection &c, const Requestor &requestor, xcb_atom_t target, int signalsAtStart, QByteArray *data)
{
    xcb_convert_selection(c.connection, requestor.window(), c.clipboard, target, c.property, XCB_CURRENT_TIME);
    xcb_flush(c.connection);
    const auto answer = waitFor(
        c,
        [&](xcb_generic_event_t *event) {
            return (event->response_type & 0x7f) == XCB_SELECTION_NOTIFY
                && reinterpret_cast<xcb_selection_notify_event_t *>(event)->requestor == requestor.window();
        },
        signalsAtStart, QT_TRANSLATE_NOOP("platform::Clipboard", "the program that owns it does not answer"));
    if (reinterpret_cast<xcb_selection_notify_event_t *>(answer.get())->property == XCB_NONE)
        return false;
    const auto value = takeProperty(c, requestor.window());
    if (!value)
        return false;
    if (value->type != c.incr) {
        *data = bytesOf(value.get());
        return true;
    }
    // In parts: each new value is the next part, an empty one the end.
    data->clear();
    for (;;) {
        waitFor(
            c,
            [&](xcb_generic_event_t *event) {
                const auto *change = reinterpret_cast<xcb_property_notify_event_t *>(event);
                return (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && change->window == requestor.window()
                    && change->atom == c.property && change->state == XCB_PROPERTY_NEW_VALUE;
            },
            signalsAtStart,
            QT_TRANSLATE_NOOP("platform::Clipboard", "the program that owns it stopped in the middle of its text"));
        const auto part = takeProperty(c, requestor.window());
        if (!part)
            continue; // the notice of a value taken already
        if (xcb_get_property_value_length(part.get()) == 0)
            return true;
        data->append(bytesOf(part.get()));
    }
}

std::optional<xcb_window_t> ownerOf(xcb_connection_t *connection, xcb_atom_t selection)
{
    const Reply<xcb_get_selection_owner_reply_t> owner{
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr)};
    return owner ? std::optional(owner->owner) : std::nullopt;
}

// Whether the text reads alike in every text form: STRING is Latin-1, in
// which Qt writes "?" for other characters, and GTK 3 on Wayland reads it as
// UTF-8 when KWin's Xwayland bridge hands it on (kwin 5.27), so that a
// dropped "é" was lost.
bool ascii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Answers every request for the program's drag, XdndSelection, on Qt's
// connection in Qt's place, as GTK does: with the latest drag's text, in any
// text form that holds it. Qt's xcb plugin refuses TARGETS there and gives
// the text only to a request with the drag's or the drop's timestamp or from
// the drop's target window (seen on 6.4.2, 6.8.2 and 6.11.2; no QTBUG found);
// mutter's Xwayland bridge asks for TARGETS and then for the text with a
// timestamp and a window of its own, so a drop into a Wayland program got
// nothing (mutter 43).
class DragServer : public QAbstractNativeEventFilter
{
public:
    explicit DragServer(xcb_connection_t *connection) : connection_(connection)
    {
        intern(connection, {{"XdndSelection", &selection_}, {"TARGETS", &targets_}}, text_);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    void offer(const QString &text) { offered_ = text; }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if (type != "xcb_generic_event_t" || (event->response_type & 0x7f) != XCB_SELECTION_REQUEST)
            return false;
        const auto *request = reinterpret_cast<const xcb_selection_request_event_t *>(event);
        if (selection_ == XCB_NONE || request->selection != selection_)
            return false;
        answer(*request);
        return true;
    }

private:
    // The text as `target` asks for it, and the type it goes with; no type
    // for STRING unless the text is ASCII. TEXT leaves the encoding to the
    // owner (ICCCM): UTF-8, as UTF8_STRING, the first of the text targets.
    std::pair<xcb_atom_t, QByteArray> form(xcb_atom_t target) const
    {
        const xcb_atom_t *at = std::find(std::begin(text_), std::end(text_), target);
        if (target == XCB_NONE || at == std::end(text_))
            return {};
        if (textTargets[at - text_].utf8)
            return {target, offered_.toUtf8()};
        if (target != XCB_ATOM_STRING)
            return {text_[0], offered_.toUtf8()};
        if (ascii(offered_))
            return {target, offered_.toLatin1()};
        return {};
    }

    void answer(const xcb_selection_request_event_t &request)
    {
        // A client from before ICCCM 2 names no property: the target is one.
        const xcb_atom_t property = request.property != XCB_NONE ? request.property : request.target;
        bool given = true;
        if (request.target == targets_) {
            std::vector<xcb_atom_t> forms{targets_};
            for (const xcb_atom_t target : text_) {
                if (form(target).first != XCB_NONE)
                    forms.push_back(target);
            }
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32,
                                uint32_t(forms.size()), forms.data());
        } else if (const auto [type, bytes] = form(request.target); type != XCB_NONE) {
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor, property, type, 8,
                                uint32_t(bytes.size()), bytes.constData());
        } else {
            given = false;
        }
        // An event is sent as 32 bytes.
        union {
            xcb_selection_notify_event_t notify;
            char bytes[32];
        } sent = {};
        sent.notify = {.response_type = XCB_SELECTION_NOTIFY,
                       .pad0 = 0,
                       .sequence = 0,
                       .time = request.time,
                       .requestor = request.requestor,
                       .selection = request.selection,
                       .target = request.target,
                       .property = given ? property : xcb_atom_t(XCB_NONE)};
        xcb_send_event(connection_, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, sent.bytes);
        xcb_flush(connection_);
    }

    xcb_connection_t *connection_;
    xcb_atom_t selection_ = XCB_NONE, targets_ = XCB_NONE;
    TextAtoms text_ = {};
    QString offered_;
};

} // namespace

bool offerDrag(const QString &text, QMimeData &data)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    static DragServer server(x11->connection());
    server.offer(text);
    // Qt offers text/plain also as UTF8_STRING, STRING and TEXT, and KWin's
    // bridge hands GTK the STRING form before UTF-8: other text goes in the
    // UTF-8 forms alone, three of them, since that bridge takes the empty
    // places of a shorter list for a form named "", which GTK then accepts,
    // and the drop fails.
    if (ascii(text)) {
        data.setText(text);
    } else {
        data.setData(QStringLiteral("UTF8_STRING"), text.toUtf8());
        data.setData(QStringLiteral("TEXT"), text.toUtf8());
    }
    return true;
}

std::optional<xcb_window_t> selectionOwner(xcb_connection_t *connection, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> atom{
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr)};
    if (!atom)
        return std::nullopt;
    if (atom->atom == XCB_ATOM_NONE)
        return XCB_WINDOW_NONE; // no one ever named it
    return ownerOf(connection, atom->atom);
}

QString clipboardText()
{
    const int signalsAtStart = terminationSignals();
    const Connection &c = connection();
    const std::optional<xcb_window_t> owner = ownerOf(c.connection, c.clipboard);
    if (!owner)
        fail(QT_TRANSLATE_NOOP("platform::Clipboard", "the connection to the X server broke"));
    if (*owner == XCB_NONE)
        return {};
    const Requestor requestor(c);
    QByteArray targets;
    if (!convert(c, requestor, c.targets, signalsAtStart, &targets))
        return {};
    const auto *offered = reinterpret_cast<const xcb_atom_t *>(targets.constData());
    const auto *offeredEnd = offered + targets.size() / sizeof(xcb_atom_t);
    for (std::size_t i = 0; i < std::size(textTargets); ++i) {
        if (c.text[i] == XCB_NONE || std::find(offered, offeredEnd, c.text[i]) == offeredEnd)
            continue;
        QByteArray text;
        if (!convert(c, requestor, c.text[i], signalsAtStart, &text))
            return {};
        // As Qt reads it: one closing NUL dropped, invalid UTF-8 as
        // replacement characters.
        if (text.endsWith('\0'))
            text.chop(1);
        return textTargets[i].utf8 ? QString::fromUtf8(text) : QString::fromLatin1(text);
    }
    return {};
}

} // namespace platform::x11
