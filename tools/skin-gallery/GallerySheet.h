#pragma once
// A tall sheet that the gallery fills section by section: headings, then tiles that flow
// from left to right and wrap, each a picture with a caption beneath it.

#include <QImage>
#include <QPainter>
#include <QString>

#include <memory>

namespace orvek {

class GallerySheet {
public:
    explicit GallerySheet(int width);

    void heading(const QString& text);
    // A tile: the picture at its own size on a dark ground, the caption lines underneath.
    void tile(const QImage& picture, const QString& caption);
    // A picture that takes the full width of its own row (page mock-ups).
    void block(const QImage& picture, const QString& caption);

    // The finished sheet, cut to the height used.
    QImage finish();

private:
    void newRow();
    void ensureHeight(int bottom);

    int width_;
    QImage image_;
    int x_ = 0;
    int y_ = 0;
    int rowHeight_ = 0;
};

}  // namespace orvek
