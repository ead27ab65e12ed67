#include "gui/pages/settings/SeriesPanel.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include "gui/controls/SkinFont.h"
#include "gui/controls/SkinPalette.h"
#include "gui/desktop/Translation.h"
#include "series/SeriesReport.h"

namespace orvek {

namespace {

const QColor kGreen(64, 200, 90);
const QColor kGrey(170, 170, 170);

QColor resultColour(SeriesResult result) {
    switch (result) {
        case SeriesResult::Verified: return kGreen;
        case SeriesResult::AlreadyEqual: return kGrey;
        case SeriesResult::Refused: return skin::kOrange;
        case SeriesResult::Failed: return skin::kRed;
    }
    return kGrey;
}

// A shape for each result, so that a racer who sees no colour tells them apart: a tick in a
// circle, an equals sign in a circle, a barred circle, a cross in a triangle.
QIcon resultIcon(SeriesResult result, qreal scale) {
    const int side = 16;
    QPixmap pixmap(qRound(side * scale), qRound(side * scale));
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(resultColour(result), 2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    const QRectF circle(2, 2, 12, 12);
    switch (result) {
        case SeriesResult::Verified:
            p.drawEllipse(circle);
            p.drawPolyline(QPolygonF({QPointF(5, 8.5), QPointF(7.2, 10.7), QPointF(11, 5.8)}));
            break;
        case SeriesResult::AlreadyEqual:
            p.drawEllipse(circle);
            p.drawLine(QPointF(5.5, 6.8), QPointF(10.5, 6.8));
            p.drawLine(QPointF(5.5, 9.6), QPointF(10.5, 9.6));
            break;
        case SeriesResult::Refused:
            p.drawEllipse(circle);
            p.drawLine(QPointF(4.2, 11.8), QPointF(11.8, 4.2));
            break;
        case SeriesResult::Failed:
            p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(14.8, 14), QPointF(1.2, 14)}));
            p.drawLine(QPointF(6, 7.5), QPointF(10, 11.5));
            p.drawLine(QPointF(10, 7.5), QPointF(6, 11.5));
            break;
    }
    return QIcon(pixmap);
}

QLabel* makeLabel(QWidget* parent, int pointTenths, const QColor& colour, bool bold = false) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // names and files come from the racer
    label->setWordWrap(true);
    QFont font = skinFont(QString::fromLatin1(skin::kCaptionFace), pointTenths);
    font.setBold(bold);
    label->setFont(font);
    skin::setTextColour(*label, colour);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* text) {
    auto* button = new QPushButton(uiText("seriesPanelText", text), parent);
    button->setFont(skinFont(QString::fromLatin1(skin::kCaptionFace), 90));
    button->setAutoDefault(false);
    return button;
}

QString changedWords(const SeriesRow& row) {
    if (row.result != SeriesResult::Verified) return {};
    const std::size_t n = row.changes.size();
    return n == 1 ? orvek::SeriesPanel::tr("1 setting changed")
                  : orvek::SeriesPanel::tr("%1 settings changed").arg(n);
}

}  // namespace

QString seriesRowText(const SeriesRow& row) {
    QString text = orvek::SeriesPanel::tr("ESC %1: %2")
                       .arg(row.number)
                       .arg(coreText(seriesResultName(row.result)));
    text += QLatin1Char('\n') + (row.model.empty() ? orvek::SeriesPanel::tr("unknown model")
                                                   : QString::fromStdString(row.model));
    if (!row.firmware.empty()) text += QStringLiteral(", ") + QString::fromStdString(row.firmware);
    if (const QString changed = changedWords(row); !changed.isEmpty())
        text += QStringLiteral(", ") + changed;
    // The reason is the core's sentence, with names and values in it: shown as it came.
    if (!row.reason.empty()) text += QLatin1Char('\n') + coreText(row.reason);
    return text;
}

SeriesPanel::SeriesPanel(QWidget* parent) : QWidget(parent) {
    setAccessibleName(uiText("seriesPanelText", seriesPanelText::Title));
    title_ = makeLabel(this, 120, skin::kOrange, true);
    title_->setText(uiText("seriesPanelText", seriesPanelText::Title));
    title_->setAlignment(Qt::AlignHCenter);
    name_ = makeLabel(this, 90, skin::kLabelText, true);
    values_ = makeLabel(this, 80, skin::kLabelText);
    line_ = makeLabel(this, 110, skin::kOrange, true);
    line_->setAccessibleName(uiText("seriesPanelText", seriesPanelText::LineName));

    rows_ = new QListWidget(this);
    rows_->setAccessibleName(uiText("seriesPanelText", seriesPanelText::ListName));
    rows_->setFont(skinFont(QString::fromLatin1(skin::kCaptionFace), 80));
    rows_->setIconSize(QSize(16, 16));
    rows_->setWordWrap(true);
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    rows_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QPalette palette = rows_->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, skin::kLabelText);
    palette.setColor(QPalette::Highlight, skin::kFieldGround);
    palette.setColor(QPalette::HighlightedText, skin::kFieldText);
    rows_->setPalette(palette);

    end_ = makeButton(this, seriesPanelText::End);
    save_ = makeButton(this, seriesPanelText::SaveReport);
    close_ = makeButton(this, seriesPanelText::Close);
    connect(end_, &QPushButton::clicked, this, &SeriesPanel::endRequested);
    connect(save_, &QPushButton::clicked, this, &SeriesPanel::saveReportRequested);
    connect(close_, &QPushButton::clicked, this, [this] {
        dismissed_ = true;
        hide();
        emit closed();
    });

    // Places in the panel's own 305 x 550.
    // Room for the taller line of a CJK face; the line's middle stays at y 19.
    title_->setGeometry(10, 6, 285, 26);
    name_->setGeometry(10, 36, 285, 18);
    values_->setGeometry(10, 56, 285, 32);
    line_->setGeometry(10, 92, 285, 24);
    rows_->setGeometry(10, 122, 285, 378);
    end_->setGeometry(10, 510, 285, 30);
    save_->setGeometry(10, 510, 140, 30);
    close_->setGeometry(155, 510, 140, 30);
    setAutoFillBackground(false);
    hide();
}

void SeriesPanel::show(const SeriesState& state) {
    const bool newSeries =
        state.running() && (!state_.running() || state.series.name != state_.series.name);
    const std::size_t shownRows = state_.series.rows.size();
    state_ = state;
    if (state.phase == SeriesPhase::Off) {
        hide();
        return;
    }
    name_->setText(QString::fromStdString(state.series.name));
    values_->setText(coreText(state.series.values));
    const QString line = coreText(seriesLine(state));
    line_->setText(line);
    line_->setAccessibleDescription(line);
    if (newSeries || state.series.rows.size() < shownRows) rows_->clear();
    const qreal scale = devicePixelRatioF();
    for (std::size_t i = static_cast<std::size_t>(rows_->count()); i < state.series.rows.size();
         ++i) {
        const SeriesRow& row = state.series.rows[i];
        auto* item = new QListWidgetItem(resultIcon(row.result, scale), seriesRowText(row), rows_);
        item->setForeground(skin::kLabelText);
        if (!row.changes.empty())
            item->setToolTip(QString::fromStdString(changesText(row.changes)));
        rows_->scrollToItem(item);
    }
    const bool running = state.running();
    end_->setVisible(running);
    save_->setVisible(!running);
    save_->setEnabled(!state.series.rows.empty());
    close_->setVisible(!running);
    if (newSeries) dismissed_ = false;
    if (!dismissed_ && isHidden()) {
        QWidget::show();
        raise();
    }
}

std::vector<QWidget*> SeriesPanel::tabStops() const { return {rows_, end_, save_, close_}; }

void SeriesPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(QPen(skin::kListFrameLight, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(QPen(skin::kRed, 3));
    p.drawLine(QPoint(2, 2), QPoint(2, 40));
}

}  // namespace orvek
