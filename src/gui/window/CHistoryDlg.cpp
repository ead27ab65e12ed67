#include "gui/window/CHistoryDlg.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/controls/SkinPalette.h"
#include "gui/desktop/FileDialogs.h"
#include "gui/desktop/MessageBoxes.h"
#include "gui/desktop/Translation.h"
#include "gui/pages/settings/SettingsFileCommands.h"
#include "history/SettingsRecords.h"
#include "session/DeviceSession.h"
#include "settings/ParamTable.h"

namespace orvek {

namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }

// The page's change marker: an orange dot, with words for those who do not see it.
QIcon changeMarker() {
    QPixmap dot(16, 16);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    skin::drawChangeDot(painter, QRectF(4, 4, 8, 8));
    return QIcon(dot);
}

QString localTime(const std::string& utc) {
    QDateTime when = QDateTime::fromString(text(utc), Qt::ISODate);
    if (!when.isValid()) return text(utc);
    return when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString sourceText(const HistoryRecord& record) {
    if (record.kind == HistoryKind::Update) {
        return text(record.image + " (" + record.target + ", " + record.result + ")");
    }
    // As originText writes it, with the source's word in the window's language.
    const char* source = valuesSourceName(record.origin.source);
    if (!*source) return {};
    QString shown = coreText(source);
    if (!record.origin.detail.empty()) shown += QLatin1Char(' ') + text(record.origin.detail);
    if (record.origin.edited) shown += QLatin1Char(' ') + CHistoryDlg::tr("(edited)");
    return shown;
}

QTableWidget* table(int columns, const QStringList& headers, QWidget* parent) {
    auto* view = new QTableWidget(0, columns, parent);
    view->setHorizontalHeaderLabels(headers);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setAlternatingRowColors(false);
    skin::paintField(*view);
    return view;
}

QTableWidgetItem* cell(const QString& value) {
    auto* item = new QTableWidgetItem(value);
    item->setToolTip(value);
    return item;
}

}  // namespace

CHistoryDlg::CHistoryDlg(const Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(tr("Settings History"));
    skin::paintBlack(*this);
    resize(760, 720);
    auto* layout = new QVBoxLayout(this);

    allModels_ = new QCheckBox(tr("Show &all models"), this);
    skin::setTextColour(*allModels_, skin::kLabelText);
    allModels_->setChecked(context_.model.empty());
    allModels_->setEnabled(!context_.model.empty());
    connect(allModels_, &QCheckBox::toggled, this, [this] { reload(); });
    layout->addWidget(allModels_);

    records_ = table(5, {tr("Time"), tr("Kind"), tr("Source"), tr("Firmware"), tr("Note")}, this);
    records_->setAccessibleName(tr("Recorded settings"));
    records_->setColumnWidth(0, 130);
    records_->setColumnWidth(1, 70);
    records_->setColumnWidth(2, 210);
    records_->setColumnWidth(3, 110);
    connect(records_, &QTableWidget::itemSelectionChanged, this, [this] { showSelected(); });
    // Enter (and a double click) on a record loads it.
    connect(records_, &QTableWidget::activated, this, [this] { loadSelected(); });
    layout->addWidget(records_, 2);

    comparison_ = table(3, {tr("Setting"), tr("This record"), tr("On the page")}, this);
    comparison_->setAccessibleName(tr("The record beside the page"));
    comparison_->setSelectionMode(QAbstractItemView::NoSelection);
    comparison_->setColumnWidth(0, 180);
    comparison_->setColumnWidth(1, 260);
    comparison_->setRowCount(kParameterCount);
    for (const EscParameter& p : parameterTable())
        comparison_->setItem(p.keyNumber, 0, cell(settingName(p.keyName)));
    layout->addWidget(comparison_, 5);

    auto* noteRow = new QHBoxLayout;
    auto* noteLabel = new QLabel(tr("&Note"), this);
    skin::setTextColour(*noteLabel, skin::kLabelText);
    noteField_ = new QLineEdit(this);
    skin::paintField(*noteField_);
    noteField_->setMaxLength(static_cast<int>(kHistoryNoteLimit));
    noteField_->setReadOnly(true);
    noteField_->setPlaceholderText(tr("heat 2, too much punch"));
    noteLabel->setBuddy(noteField_);
    connect(noteField_, &QLineEdit::returnPressed, this, [this] {
        if (editingNote_) saveNote();
    });
    noteRow->addWidget(noteLabel);
    noteRow->addWidget(noteField_, 1);
    layout->addLayout(noteRow);

    auto* buttons = new QHBoxLayout;
    load_ = new QPushButton(tr("&Load into the page"), this);
    noteButton_ = new QPushButton(tr("&Edit note"), this);
    export_ = new QPushButton(tr("E&xport as .cfg"), this);
    auto* close = new QPushButton(tr("&Close"), this);
    for (QPushButton* button : {load_, noteButton_, export_, close}) {
        // Enter belongs to the record list (it loads) and to the note field (it saves).
        button->setAutoDefault(false);
        buttons->addWidget(button);
        if (button == export_) buttons->addStretch(1);
    }
    connect(load_, &QPushButton::clicked, this, [this] { loadSelected(); });
    connect(noteButton_, &QPushButton::clicked, this, [this] { editNote(); });
    connect(export_, &QPushButton::clicked, this, [this] { exportSelected(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);

    status_ = new QLabel(this);
    status_->setWordWrap(true);
    skin::setTextColour(*status_, skin::kOrange);
    layout->addWidget(status_);

    showSelected();
    records_->setFocus();
    reload();
}

void CHistoryDlg::reload() {
    if (const HistoryRecord* record = selected()) keepSelected_ = record->id;
    const std::string model = allModels_->isChecked() ? std::string() : context_.model;
    // The answer comes on this thread later; a dialog closed meanwhile takes none.
    QPointer<CHistoryDlg> self(this);
    context_.session.listHistory(model, [self](const HistoryListing& listing) {
        if (self) self->showListing(listing);
    });
}

void CHistoryDlg::showListing(const HistoryListing& listing) {
    ++listings_;
    status_->setText(coreText(listing.failure));
    shown_ = listing.records;
    const QSignalBlocker quiet(records_);
    records_->setRowCount(static_cast<int>(shown_.size()));
    int keep = shown_.empty() ? -1 : 0;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const HistoryRecord& record = shown_[i];
        const int row = static_cast<int>(i);
        records_->setItem(row, 0, cell(localTime(record.time)));
        records_->setItem(row, 1, cell(coreText(historyKindName(record.kind))));
        records_->setItem(row, 2, cell(sourceText(record)));
        records_->setItem(row, 3, cell(text(record.firmware)));
        records_->setItem(row, 4, cell(text(record.note)));
        if (record.id == keepSelected_) keep = row;
    }
    if (keep >= 0) records_->selectRow(keep);
    showSelected();
}

const HistoryRecord* CHistoryDlg::selected() const {
    const int row = records_->currentRow();
    if (row < 0 || row >= static_cast<int>(shown_.size())) return nullptr;
    if (!records_->selectionModel()->isRowSelected(row, QModelIndex())) return nullptr;
    return &shown_[static_cast<std::size_t>(row)];
}

void CHistoryDlg::showSelected() {
    const HistoryRecord* record = selected();
    const bool settings = record && record->holdsSettings();
    load_->setEnabled(settings);
    export_->setEnabled(settings);
    noteButton_->setEnabled(record != nullptr);
    editingNote_ = false;
    noteField_->setReadOnly(true);
    noteButton_->setText(tr("&Edit note"));
    noteField_->setText(record ? text(record->note) : QString());
    pageChanged();
}

void CHistoryDlg::pageChanged() {
    const HistoryRecord* record = selected();
    const SettingsTexts page = context_.pageTexts ? context_.pageTexts() : SettingsTexts{};
    const std::array<bool, kParameterCount> differs = record && record->holdsSettings()
                                                          ? recordDiffers(*record, page)
                                                          : std::array<bool, kParameterCount>{};
    static const QIcon marker = changeMarker();
    for (int k = 0; k < kParameterCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        const QString recorded =
            record && record->holdsSettings() ? text(record->settings[slot]) : QString();
        comparison_->setItem(k, 1, cell(recorded));
        comparison_->setItem(k, 2, cell(text(page[slot])));
        QTableWidgetItem* name = comparison_->item(k, 0);
        QFont font = name->font();
        font.setBold(differs[slot]);
        for (int column = 0; column < 3; ++column) comparison_->item(k, column)->setFont(font);
        name->setIcon(differs[slot] ? marker : QIcon());
        name->setData(Qt::AccessibleDescriptionRole, differs[slot] ? tr("differs") : QString());
        name->setToolTip(differs[slot] ? tr("Differs from the page") : QString());
    }
}

std::vector<bool> CHistoryDlg::markedRows() const {
    std::vector<bool> marked;
    for (int k = 0; k < comparison_->rowCount(); ++k)
        marked.push_back(!comparison_->item(k, 0)->icon().isNull());
    return marked;
}

void CHistoryDlg::loadSelected() {
    const HistoryRecord* record = selected();
    if (!record || !record->holdsSettings()) return;
    if (context_.loadLocked && context_.loadLocked()) {
        status_->setText(tr("Not while a firmware update runs."));
        return;
    }
    context_.session.loadHistoryRecord(*record);
    status_->setText(tr("Loaded into the page; SEND SETTING writes it."));
}

void CHistoryDlg::editNote() {
    if (!selected()) return;
    if (editingNote_) {
        saveNote();
        return;
    }
    editingNote_ = true;
    noteField_->setReadOnly(false);
    noteButton_->setText(tr("Sav&e note"));
    noteField_->setFocus();
    noteField_->selectAll();
}

void CHistoryDlg::saveNote() {
    const HistoryRecord* record = selected();
    if (!record) return;
    const std::string note = historyNote(noteField_->text().toStdString());
    keepSelected_ = record->id;
    editingNote_ = false;
    noteField_->setReadOnly(true);
    noteButton_->setText(tr("&Edit note"));
    QPointer<CHistoryDlg> self(this);
    context_.session.setHistoryNote(record->id, note, [self](const std::string& failure) {
        if (!self) return;
        if (!failure.empty()) {
            self->status_->setText(coreText(failure));
            return;
        }
        self->reload();
        self->records_->setFocus();
    });
}

void CHistoryDlg::exportSelected() {
    const HistoryRecord* record = selected();
    if (!record || !record->holdsSettings()) return;
    const SettingsTexts texts = record->settings;
    if (const auto file = ExportSettingsTexts(texts, context_.files, context_.messages))
        status_->setText(tr("Saved as %1").arg(text(file->string())));
}

}  // namespace orvek
