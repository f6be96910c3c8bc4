// The other programs of the clipboard tests, reduced to what a test needs.
//
// Without an argument, a clipboard manager of the kind desktops run: it owns
// the CLIPBOARD_MANAGER selection and, when a program that is closing asks
// it to SAVE_TARGETS, fetches the clipboard's text, takes the clipboard over
// and serves the text from then on. Prints "ready" once it owns the
// selection and "saved N bytes" per save.
//
// With a mode, a clipboard owner that misbehaves: "silent" never answers,
// "dies-in-incr" starts an incremental transfer of its text and ends after
// the first part, "incr-in-two" sends "hello world" in parts of two property
// changes each (Replace, then Append), "html" offers text/html only, "png"
// image/png only. Prints
// "ready" once it owns the clipboard and "cleared" when another program takes
// it, then ends; "silent" prints "asked" for each request it leaves unanswered.
//
// The TARGETS of either name GLYPHERY_TEST_MANAGER, so that a test can tell
// who holds the clipboard.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "clipboard_manager: cannot open the display\n");
        return 1;
    }
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const auto atom = [display](const char *name) { return XInternAtom(display, name, False); };
    const Atom manager = atom("CLIPBOARD_MANAGER"), clipboard = atom("CLIPBOARD"), save = atom("SAVE_TARGETS"),
               targets = atom("TARGETS"), utf8 = atom("UTF8_STRING"), marker = atom("GLYPHERY_TEST_MANAGER"),
               fetched = atom("GLYPHERY_TEST_FETCHED"), incr = atom("INCR");
    const Atom offeredType = mode == "html" ? atom("text/html") : mode == "png" ? atom("image/png") : utf8;
    const std::string offered = mode == "png" ? std::string("\x89PNG\r\n\x1a\n", 8) : "<b>owner</b>";

    // A server timestamp for taking the selection, from a property change.
    XSelectInput(display, window, PropertyChangeMask);
    XChangeProperty(display, window, fetched, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != PropertyNotify);
    const Atom owned = mode.empty() ? manager : clipboard;
    XSetSelectionOwner(display, owned, window, event.xproperty.time);
    if (XGetSelectionOwner(display, owned) != window) {
        std::fprintf(stderr, "clipboard_manager: another program owns the selection\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    std::string text;
    bool holding = !mode.empty();
    XSelectionRequestEvent saving{};
    bool isSaving = false;
    const auto answer = [display](const XSelectionRequestEvent &request, Atom property) {
        XSelectionEvent notify{};
        notify.type = SelectionNotify;
        notify.display = display;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = property;
        notify.time = request.time;
        XSendEvent(display, request.requestor, False, 0, reinterpret_cast<XEvent *>(&notify));
        XFlush(display);
    };
    for (;;) {
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            const XSelectionRequestEvent request = event.xselectionrequest;
            const Atom property = request.property != None ? request.property : request.target;
            if (mode == "silent") {
                std::printf("asked\n");
                std::fflush(stdout);
            } else if (request.selection == manager && request.target == save && !isSaving) {
                saving = request;
                isSaving = true;
                XConvertSelection(display, clipboard, utf8, fetched, window, request.time);
                XFlush(display);
            } else if (request.selection == clipboard && holding && request.target == targets) {
                const Atom list[] = {targets, mode.empty() ? utf8 : offeredType, marker};
                XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char *>(list), 3);
                answer(request, property);
            } else if (request.selection == clipboard && holding && request.target == utf8
                       && (mode == "dies-in-incr" || mode == "incr-in-two")) {
                // The size, then each part once the reader has deleted the
                // property.
                const long size = mode == "dies-in-incr" ? 1 << 20 : 11;
                XSelectInput(display, request.requestor, PropertyChangeMask);
                XChangeProperty(display, request.requestor, property, incr, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char *>(&size), 1);
                answer(request, property);
                const auto taken = [&] {
                    do
                        XNextEvent(display, &event);
                    while (event.type != PropertyNotify || event.xproperty.state != PropertyDelete);
                };
                taken();
                if (mode == "dies-in-incr") {
                    // The program ends before the second part.
                    const std::string part(4096, 'x');
                    XChangeProperty(display, request.requestor, property, utf8, 8, PropModeReplace,
                                    reinterpret_cast<const unsigned char *>(part.data()), int(part.size()));
                    XCloseDisplay(display);
                    return 0;
                }
                // Both changes of a part reach the server before the reader
                // looks (the server is held meanwhile), so it takes the whole
                // part at the first notice and finds nothing at the second.
                // The pause, as a program that makes its text as it goes,
                // lets the reader come to that second notice before the next
                // part is there.
                for (const std::string part : {"hello ", "world", ""}) {
                    const auto *bytes = reinterpret_cast<const unsigned char *>(part.data());
                    const int half = int(part.size() / 2);
                    XGrabServer(display);
                    XChangeProperty(display, request.requestor, property, utf8, 8, PropModeReplace, bytes, half);
                    XChangeProperty(display, request.requestor, property, utf8, 8, PropModeAppend, bytes + half,
                                    int(part.size()) - half);
                    XUngrabServer(display);
                    XFlush(display);
                    if (part.empty())
                        break;
                    taken();
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                }
            } else if (request.selection == clipboard && holding && request.target == offeredType) {
                const std::string &data = mode.empty() ? text : offered;
                XChangeProperty(display, request.requestor, property, offeredType, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char *>(data.data()), int(data.size()));
                answer(request, property);
            } else {
                answer(request, None);
            }
        } else if (event.type == SelectionNotify && isSaving) {
            Atom type = None;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char *data = nullptr;
            if (event.xselection.property != None
                && XGetWindowProperty(display, window, fetched, 0, 1 << 20, True, AnyPropertyType, &type, &format,
                                      &count, &after, &data)
                    == Success
                && data && format == 8) {
                text.assign(reinterpret_cast<const char *>(data), count);
                XSetSelectionOwner(display, clipboard, window, CurrentTime);
                holding = XGetSelectionOwner(display, clipboard) == window;
                std::printf("saved %lu bytes\n", count);
                std::fflush(stdout);
            }
            if (data)
                XFree(data);
            answer(saving, holding ? saving.property : None);
            isSaving = false;
        } else if (event.type == SelectionClear && event.xselectionclear.selection == clipboard) {
            holding = false;
            if (!mode.empty()) {
                std::printf("cleared\n");
                std::fflush(stdout);
                XCloseDisplay(display);
                return 0;
            }
        }
    }
}
