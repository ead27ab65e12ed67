#pragma once
// A drop-down list (pick only, never typed into) that draws its closed box, arrow and open list
// itself in the dark scheme: grey box, white text, red highlight, arrow cells from skin picture
// 187.

#include <QComboBox>
#include <QPointer>
#include <QString>

#include "gui/controls/SkinPalette.h"

class QAbstractItemView;

namespace orvek {

class CBitComboBox : public QComboBox {
    Q_OBJECT
public:
    // A sorted list keeps the entries that addString adds in alphabetical order, ignoring case.
    explicit CBitComboBox(QWidget* parent = nullptr, bool sorted = false);
    ~CBitComboBox() override;

    // Face and size (tenths of a point) of the closed box and list entries; pages set them
    // directly after creating the list, before it is first drawn.
    QString itemFontFace = QString::fromLatin1(skin::kListFace);
    int itemFontSize = 100;

    // Adds an entry: at the end, or at its alphabetical place when the list was created sorted.
    // Returns the entry's position.
    int addString(const QString& text);

    bool isSorted() const { return sorted_; }
    // 0 normal, 1 hover, 2 pressed: which arrow cell shows and whether the box is red.
    int arrowState() const { return arrowState_; }
    bool hoverTracking() const { return hoverTracking_; }
    // Width of the opened list: the widest entry seen at a drop-down, never less than the box.
    int droppedWidth() const;
    // The view of the open list once it has been opened; null before.
    QAbstractItemView* dropList() const;
    QFont itemFont() const;
    bool isListOpen() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;
    void hidePopup() override;

signals:
    // The list is about to open (it has been widened already).
    void dropDown();
    // The user picked an entry (with the mouse in the open list or with the keys).
    void selectionChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void pointerOver();
    void setArrowState(int state);
    void widenDropList();
    void darkenListFrame();
    void onActivated(int index);

    bool sorted_;
    int arrowState_ = 0;
    bool hoverTracking_ = false;
    int droppedWidth_ = 0;
    QPointer<QAbstractItemView> dropList_;
};

}  // namespace orvek
