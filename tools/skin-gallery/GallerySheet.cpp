#include "GallerySheet.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace orvek {
namespace {

constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kCaptionHeight = 30;

QFont captionFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return font;
}

}  // namespace

GallerySheet::GallerySheet(int width)
    : width_(width), image_(width, 2000, QImage::Format_ARGB32_Premultiplied) {
    image_.fill(QColor(8, 8, 10));
    x_ = kMargin;
    y_ = kMargin;
}

void GallerySheet::ensureHeight(int bottom) {
    if (bottom <= image_.height()) return;
    QImage taller(width_, std::max(bottom + 400, image_.height() * 2),
                  QImage::Format_ARGB32_Premultiplied);
    taller.fill(QColor(8, 8, 10));
    QPainter painter(&taller);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = taller;
}

void GallerySheet::newRow() {
    if (x_ > kMargin) {
        y_ += rowHeight_ + kGap;
        x_ = kMargin;
        rowHeight_ = 0;
    }
}

void GallerySheet::heading(const QString& text) {
    newRow();
    y_ += 8;
    ensureHeight(y_ + 40);
    QPainter painter(&image_);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(247, 148, 29));
    painter.drawText(QPoint(kMargin, y_ + 22), text);
    painter.fillRect(QRect(kMargin, y_ + 30, width_ - 2 * kMargin, 1), QColor(70, 70, 76));
    y_ += 42;
}

void GallerySheet::tile(const QImage& picture, const QString& caption) {
    const QFontMetrics metrics(captionFont());
    int captionWidth = 0;
    for (const QString& line : caption.split(QLatin1Char('\n')))
        captionWidth = std::max(captionWidth, metrics.horizontalAdvance(line));
    // Some slack: wrapped captions measure a little wider than their widest line.
    const int tileWidth = std::max(picture.width() + 8, std::min(captionWidth + 16, 280));
    const int tileHeight = picture.height() + 8 + kCaptionHeight;
    if (x_ + tileWidth > width_ - kMargin) newRow();
    ensureHeight(y_ + tileHeight + kGap);
    QPainter painter(&image_);
    // A checker under the picture shows where it is transparent.
    const QRect ground(x_, y_, picture.width() + 8, picture.height() + 8);
    painter.fillRect(ground, QColor(0, 0, 0));
    painter.setPen(QColor(40, 40, 44));
    painter.drawRect(ground.adjusted(0, 0, -1, -1));
    painter.drawImage(x_ + 4, y_ + 4, picture);
    painter.setFont(captionFont());
    painter.setPen(QColor(200, 200, 200));
    painter.drawText(QRect(x_, y_ + picture.height() + 10, tileWidth, kCaptionHeight),
                     Qt::AlignLeft | Qt::TextWordWrap, caption);
    x_ += tileWidth + kGap;
    rowHeight_ = std::max(rowHeight_, tileHeight);
}

void GallerySheet::block(const QImage& picture, const QString& caption) {
    newRow();
    tile(picture, caption);
    newRow();
}

QImage GallerySheet::finish() {
    newRow();
    return image_.copy(0, 0, width_, std::min(image_.height(), y_ + kMargin));
}

}  // namespace orvek
