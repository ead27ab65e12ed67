#pragma once
// The black ground of the main window and its pages.
#include <QPalette>
#include <QWidget>

namespace orvek {

inline void paintBlack(QWidget& widget) {
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget.setPalette(palette);
}

}  // namespace orvek
