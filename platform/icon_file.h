#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <vector>

namespace platform {

// The images of an icon file (.ico) in the file's order; of any other image
// file, its images as Qt reads them. Empty when the file cannot be read.
std::vector<QImage> readIconImages(const QString &path);

// The images of an icon file made of plain bitmaps (uncompressed, 1, 4 or 8
// bits a pixel, with their masks); empty for any other data.
std::vector<QImage> readPlainIcon(QByteArrayView bytes);

} // namespace platform
