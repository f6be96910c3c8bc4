// A clipboard manager of the kind desktops run, reduced to what a test
// needs: it owns the CLIPBOARD_MANAGER selection and, when a program that
// is closing asks it to SAVE_TARGETS, fetches the clipboard's text, takes
// the clipboard over and serves the text from then on. Its TARGETS name
// GLYPHERY_TEST_MANAGER, so that a test can tell who holds the clipboard.
// Prints "ready" once it owns the selection and "saved N bytes" per save.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <string>

int main()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "clipboard_manager: cannot open the display\n");
        return 1;
    }
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const auto atom = [display](const char *name) { return XInternAtom(display, name, False); };
    const Atom manager = atom("CLIPBOARD_MANAGER"), clipboard = atom("CLIPBOARD"), save = atom("SAVE_TARGETS"),
               targets = atom("TARGETS"), utf8 = atom("UTF8_STRING"), marker = atom("GLYPHERY_TEST_MANAGER"),
               fetched = atom("GLYPHERY_TEST_FETCHED");

    // A server timestamp for taking the selection, from a property change.
    XSelectInput(display, window, PropertyChangeMask);
    XChangeProperty(display, window, fetched, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != PropertyNotify);
    XSetSelectionOwner(display, manager, window, event.xproperty.time);
    if (XGetSelectionOwner(display, manager) != window) {
        std::fprintf(stderr, "clipboard_manager: another manager owns CLIPBOARD_MANAGER\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    std::string text;
    bool holding = false;
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
            const XSelectionRequestEvent &request = event.xselectionrequest;
            const Atom property = request.property != None ? request.property : request.target;
            if (request.selection == manager && request.target == save && !isSaving) {
                saving = request;
                isSaving = true;
                XConvertSelection(display, clipboard, utf8, fetched, window, request.time);
                XFlush(display);
            } else if (request.selection == clipboard && holding && request.target == targets) {
                const Atom offered[] = {targets, utf8, marker};
                XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char *>(offered), 3);
                answer(request, property);
            } else if (request.selection == clipboard && holding && request.target == utf8) {
                XChangeProperty(display, request.requestor, property, utf8, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char *>(text.data()), int(text.size()));
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
        }
    }
}
