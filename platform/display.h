#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The command line as Qt reads it, scanned once before Qt starts: Qt's own
// options (-style Fusion, -qwindowgeometry=100x100, --reverse) with their
// values, apart from the program's own arguments.
struct CommandLine
{
    std::vector<std::string_view> arguments; // the program's own, in order
    bool platformNamed = false; // -platform: the display is the plugin's
};
CommandLine readCommandLine(int argc, char *argv[]);

// Why no display can be reached, judged from the environment and the command
// line before Qt starts; empty when a display is named or another platform
// plugin (offscreen, for one) is asked for.
std::string missingDisplay(const CommandLine &line);

// While it lives, a display that Qt cannot open ends the program with one
// line on stderr, "<program>: cannot open the display ...", and status 1; a
// platform plugin that Qt cannot find, with one line that names it and the
// Debian package it comes with. Qt would print its advice to reinstall and
// abort() instead (seen on 6.4.2). Build it just before QApplication and
// drop it once QApplication is built.
class DisplayOpening
{
public:
    explicit DisplayOpening(const char *program);
    ~DisplayOpening();
    DisplayOpening(const DisplayOpening &) = delete;
    DisplayOpening &operator=(const DisplayOpening &) = delete;
};

} // namespace platform
