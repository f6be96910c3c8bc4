#pragma once

namespace platform {

// The whole primary screen, in twips.
struct Screen
{
    static double width();
    static double height();
};

} // namespace platform
