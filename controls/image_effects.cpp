#include "image_effects.h"

#include <QImage>

namespace vt {

namespace {

QImage ToArgb(const QPixmap &source) {
  return source.toImage().convertToFormat(QImage::Format_ARGB32);
}

QPixmap FromImage(const QImage &image, const QPixmap &source) {
  QPixmap result = QPixmap::fromImage(image);
  result.setDevicePixelRatio(source.devicePixelRatio());
  return result;
}

} // namespace

QPixmap DimmedImage(const QPixmap &source) {
  if (source.isNull()) return {};
  QImage image = ToArgb(source);
  for (int y = 0; y < image.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = line[x];
      const int grey = qGray(p);
      // Keep two thirds of the colour, and a little over half of the opacity.
      const int r = (qRed(p) * 2 + grey) / 3, g = (qGreen(p) * 2 + grey) / 3, b = (qBlue(p) * 2 + grey) / 3;
      line[x] = qRgba(r, g, b, qAlpha(p) * 150 / 255);
    }
  }
  return FromImage(image, source);
}

QPixmap GreyedImage(const QPixmap &source) {
  if (source.isNull()) return {};
  QImage image = ToArgb(source);
  for (int y = 0; y < image.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = line[x];
      const int grey = 128 + qGray(p) / 2; // lighter than the original, no hue left
      line[x] = qRgba(grey, grey, grey, qAlpha(p) * 120 / 255);
    }
  }
  return FromImage(image, source);
}

} // namespace vt
