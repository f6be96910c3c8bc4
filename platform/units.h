#pragma once

namespace platform {

// 15 twips are one device-independent pixel; Qt's high-DPI scaling does the rest.
inline constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(double twips)
{
    const double px = twips / twipsPerPixel;
    return static_cast<int>(px < 0 ? px - 0.5 : px + 0.5);
}

constexpr double pixelsToTwips(int pixels) { return double(pixels) * twipsPerPixel; }

} // namespace platform
