#pragma once
// A push button drawn from skin pictures (normal, pressed, hover, disabled) with its caption
// written over the picture in a chosen font and colour. Clicks reach the owner as clicked(); with
// the keyboard focus it draws the skin's focus outline over its face.

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QString>

#include "gui/controls/SkinPalette.h"

namespace orvek {

class CxSkinButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CxSkinButton(QWidget* parent = nullptr);
    ~CxSkinButton() override;

    // Written directly by the owner, which asks for a repaint (update()) when it changes them on
    // a visible button.
    bool latched = false;      // draw the pressed picture whatever the mouse does
    int captionFontSize = 90;  // tenths of a point
    QString captionFontFace = QString::fromLatin1(skin::kCaptionFace);
    QColor captionColour;  // the palette's button-text colour at first

    // Picture ids for the normal, pressed and hover looks; a hover id of 0 means no hover
    // picture. The normal picture also serves as the disabled look.
    void AssignSkin(int normalId, int pressedId, int hoverId);

    bool isHovered() const { return hovered_; }
    bool isHeld() const { return held_; }
    QFont captionFont() const;
    // Top-left corner of the caption for the current text, font and size.
    QPoint captionPosition() const;
    // x = (width - characters * average width) / 2 - 5, y = (height - text height) / 2.
    static QPoint captionPositionFor(const QSize& button, int characters, int averageCharWidth,
                                     int textHeight);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Space clicks as any button does; Enter and Return click too.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pointerOver();
    // The picture for the button's state (pressed, hover or normal), possibly null.
    const QPixmap& stateFace() const;
    // The picture that ends up on top once focus and latching are taken into account.
    const QPixmap* faceToDraw() const;

    QPixmap normal_;
    QPixmap pressed_;
    QPixmap hover_;
    QPixmap disabled_;
    bool hovered_ = false;
    bool held_ = false;
};

}  // namespace orvek
