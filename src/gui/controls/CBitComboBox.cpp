#include "gui/controls/CBitComboBox.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

#include "gui/controls/FocusCue.h"
#include "gui/controls/SkinAccessible.h"
#include "gui/controls/SkinFont.h"
#include "gui/controls/SkinPalette.h"
#include "resources/SkinRegistry.h"

namespace orvek {
namespace {

const QColor& kBoxColour = skin::kFieldGround;
const QColor& kHighlightColour = skin::kRed;
const QColor& kTextColour = skin::kFieldText;

// Where the arrow cell sits, from the right and top edges of the box.
constexpr int kArrowFromRight = 23;
constexpr int kArrowFromTop = 2;
// The text is centred in the box less this much on the right, which keeps it off the arrow.
constexpr int kTextRightMargin = 18;

// Draws the rows of the open list: dark grey, or red for the highlighted one, white text.
class BitComboItemDelegate : public QStyledItemDelegate {
public:
    explicit BitComboItemDelegate(CBitComboBox* combo)
        : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const bool highlighted = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, highlighted ? kHighlightColour : kBoxColour);
        painter->setFont(combo_->itemFont());
        painter->setPen(kTextColour);
        painter->setClipRect(option.rect);
        painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), QFontMetrics(combo_->itemFont()).height() + 4);
    }

private:
    CBitComboBox* combo_;
};

}  // namespace

CBitComboBox::CBitComboBox(QWidget* parent, bool sorted) : QComboBox(parent), sorted_(sorted) {
    setEditable(false);
    setMouseTracking(true);
    // A combo box without a placeholder selects its first entry by itself when it is filled;
    // this list starts with no selection and shows no text until a page selects an entry.
    setPlaceholderText(QStringLiteral(" "));
    setItemDelegate(new BitComboItemDelegate(this));
    focusCue::follow();
    // Its name is its setting's (the page gives it), its value the option shown; Qt's own combo
    // box interface would read the option as the name on this system.
    setAccessibleRole(*this, QAccessible::ComboBox, [this] { showPopup(); });

    QPalette listPalette = view()->palette();
    for (auto role :
         {QPalette::Base, QPalette::Window, QPalette::AlternateBase, QPalette::Button}) {
        listPalette.setColor(role, kBoxColour);
    }
    listPalette.setColor(QPalette::Text, kTextColour);
    listPalette.setColor(QPalette::Highlight, kHighlightColour);
    listPalette.setColor(QPalette::HighlightedText, kTextColour);
    view()->setPalette(listPalette);

    connect(this, qOverload<int>(&QComboBox::activated), this, &CBitComboBox::onActivated);
}

CBitComboBox::~CBitComboBox() = default;

int CBitComboBox::addString(const QString& text) {
    int position = count();
    if (sorted_) {
        // After entries that compare equal, as a sorted list keeps the order of arrival.
        position = 0;
        while (position < count() &&
               QString::compare(itemText(position), text, Qt::CaseInsensitive) <= 0)
            ++position;
    }
    insertItem(position, text);
    return position;
}

int CBitComboBox::droppedWidth() const { return std::max(width(), droppedWidth_); }

QAbstractItemView* CBitComboBox::dropList() const { return dropList_.data(); }

QFont CBitComboBox::itemFont() const { return skinFont(itemFontFace, itemFontSize); }

QSize CBitComboBox::sizeHint() const {
    return QSize(QComboBox::sizeHint().width(), kClosedListHeight);
}

QSize CBitComboBox::minimumSizeHint() const {
    return QSize(QComboBox::minimumSizeHint().width(), kClosedListHeight);
}

void CBitComboBox::widenDropList() {
    // Measured in the font the window carries and in the item font the list draws with, so
    // that no entry is cut whichever is larger.
    int widest = 0;
    for (const QFont& measureFont : {font(), itemFont()}) {
        const QFontMetrics metrics(measureFont);
        for (int i = 0; i < count(); ++i) {
            widest = std::max(widest,
                              metrics.horizontalAdvance(itemText(i)) + metrics.averageCharWidth());
        }
    }
    const int edge = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int wanted = widest + 2 * edge + scrollBar;
    if (droppedWidth_ < wanted) droppedWidth_ = wanted;  // never narrower
}

void CBitComboBox::darkenListFrame() {
    // The list's window draws a frame of its own in the style's colours; keep it in the scheme.
    QWidget* frame = view()->parentWidget();
    if (!frame) return;
    QPalette palette = frame->palette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, kBoxColour);
    palette.setColor(QPalette::Light, skin::kListFrameLight);
    palette.setColor(QPalette::Midlight, skin::kListFrameMidlight);
    palette.setColor(QPalette::Mid, skin::kListFrameMid);
    palette.setColor(QPalette::Dark, skin::kListFrameDark);
    palette.setColor(QPalette::Shadow, skin::kListFrameShadow);
    frame->setPalette(palette);
    frame->update();
}

void CBitComboBox::showPopup() {
    widenDropList();
    emit dropDown();
    view()->setFont(itemFont());
    // An empty combo box opens no list at all; the page has heard of the drop-down all the same.
    QComboBox::showPopup();
    if (!dropList_ && isListOpen()) {
        dropList_ = view();
        darkenListFrame();
    }
    QWidget* popup = view()->window();
    if (isListOpen() && popup->width() < droppedWidth())
        popup->resize(droppedWidth(), popup->height());
}

bool CBitComboBox::isListOpen() const {
    const QWidget* popup = view()->window();
    return popup != window() && popup->isVisible();
}

void CBitComboBox::hidePopup() {
    QComboBox::hidePopup();
    // The pointer may have left while the list held it; the next move or enter lights the box
    // again.
    hoverTracking_ = false;
    setArrowState(0);
}

void CBitComboBox::setArrowState(int state) {
    if (arrowState_ == state) return;
    arrowState_ = state;
    update();
}

void CBitComboBox::pointerOver() {
    if (hoverTracking_) return;
    hoverTracking_ = true;
    setArrowState(1);
}

void CBitComboBox::enterEvent(QEnterEvent* event) {
    pointerOver();
    QComboBox::enterEvent(event);
}

void CBitComboBox::mouseMoveEvent(QMouseEvent* event) {
    pointerOver();
    QComboBox::mouseMoveEvent(event);
}

void CBitComboBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) setArrowState(2);
    QComboBox::mousePressEvent(event);
}

void CBitComboBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) setArrowState(1);
    QComboBox::mouseReleaseEvent(event);
}

void CBitComboBox::leaveEvent(QEvent*) {
    // Opening the list moves the pointer into it; the box keeps its look until the list closes.
    if (isListOpen()) return;
    hoverTracking_ = false;
    setArrowState(0);
}

void CBitComboBox::focusOutEvent(QFocusEvent* event) {
    // Losing the focus changes nothing in how the box looks but its focus outline.
    event->accept();
    update();
}

void CBitComboBox::onActivated(int index) {
    if (index >= 0 && index < count()) update();
    emit selectionChanged(index);
}

// The widget's backing store composes the picture off screen and shows it in one step, so the
// box never flickers while the arrow changes cell.
void CBitComboBox::paintEvent(QPaintEvent*) {
    if (dropList_ && dropList_->isVisible()) dropList_->viewport()->update();

    QPainter painter(this);
    painter.fillRect(rect(), arrowState_ == 0 ? kBoxColour : kHighlightColour);

    const QPixmap strip = SkinRegistry::pixmap(SkinId::ArrowStrip);
    if (!strip.isNull()) {
        const int cellWidth = strip.width() / 3;
        painter.drawPixmap(QPoint(width() - kArrowFromRight, kArrowFromTop), strip,
                           QRect(arrowState_ * cellWidth, 0, cellWidth, strip.height()));
    }

    const QRect textArea(0, 0, width() - kTextRightMargin, height());
    painter.setClipRect(textArea);
    painter.setFont(itemFont());
    painter.setPen(kTextColour);
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextSingleLine,
                     QLatin1Char(' ') + currentText());
    if (focusCue::shown(*this)) skin::drawFocusOutline(painter, rect());
}

}  // namespace orvek
