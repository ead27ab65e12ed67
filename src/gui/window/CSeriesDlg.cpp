#include "gui/window/CSeriesDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/controls/SkinPalette.h"
#include "gui/desktop/FileDialogs.h"
#include "gui/desktop/Translation.h"
#include "settings/SetupSheets.h"

namespace orvek {

namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }

QLabel* dialogLabel(const char* caption, QWidget* parent) {
    auto* label = new QLabel(uiText("seriesDialogText", caption), parent);
    skin::setTextColour(*label, skin::kLabelText);
    return label;
}

QRadioButton* choice(const char* caption, QWidget* parent) {
    auto* button = new QRadioButton(uiText("seriesDialogText", caption), parent);
    skin::setTextColour(*button, skin::kLabelText);
    // The indicator as a field of the skin: grey ground, a white dot, readable on black.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Base, skin::kFieldGround);
    palette.setColor(QPalette::Text, skin::kFieldText);
    button->setPalette(palette);
    return button;
}

}  // namespace

std::string seriesRecordText(const HistoryRecord& record) {
    // "2026-12-09T01:23:45Z" as "2026-12-09 01:23".
    std::string time = record.time.substr(0, 16);
    if (time.size() > 10 && time[10] == 'T') time[10] = ' ';
    const QString model = record.model.empty() ? orvek::CSeriesDlg::tr("unknown model")
                                               : QString::fromStdString(record.model);
    std::string line = "#" + std::to_string(record.id) + "  " + time + "  " +
                       coreText(historyKindName(record.kind)).toStdString() + "  " +
                       model.toStdString();
    if (!record.origin.detail.empty()) line += "  (" + record.origin.detail + ")";
    return line;
}

CSeriesDlg::CSeriesDlg(const SeriesChoices& choices, QWidget* parent)
    : QDialog(parent), choices_(choices) {
    setWindowTitle(uiText("seriesDialogText", seriesDialogText::Title));
    skin::paintBlack(*this);
    setMinimumWidth(560);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    page_ = choice(seriesDialogText::Page, this);
    sheet_ = choice(seriesDialogText::Sheet, this);
    file_ = choice(seriesDialogText::File, this);
    record_ = choice(seriesDialogText::Record, this);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* button : {page_, sheet_, file_, record_}) group->addButton(button);

    category_ = new QComboBox(this);
    category_->setAccessibleName(tr("Category"));
    for (const char* category : ProfileCategories())
        category_->addItem(QString::fromLatin1(category));
    sheetList_ = new QComboBox(this);
    sheetList_->setAccessibleName(tr("Setup sheet"));
    fileField_ = new QLineEdit(this);
    fileField_->setAccessibleName(tr("Settings file"));
    skin::paintField(*fileField_);
    browse_ = new QPushButton(uiText("seriesDialogText", seriesDialogText::Browse), this);
    browse_->setAutoDefault(false);
    browse_->setVisible(choices.files != nullptr);
    recordList_ = new QComboBox(this);
    recordList_->setAccessibleName(tr("History record"));
    for (const HistoryRecord& record : choices.records)
        recordList_->addItem(text(seriesRecordText(record)));

    grid->addWidget(page_, 0, 0, 1, 3);
    grid->addWidget(sheet_, 1, 0);
    grid->addWidget(category_, 1, 1);
    grid->addWidget(sheetList_, 1, 2);
    grid->addWidget(file_, 2, 0);
    grid->addWidget(fileField_, 2, 1);
    grid->addWidget(browse_, 2, 2);
    grid->addWidget(record_, 3, 0);
    grid->addWidget(recordList_, 3, 1, 1, 2);

    name_ = new QLineEdit(this);
    skin::paintField(*name_);
    name_->setMaxLength(120);
    QLabel* nameLabel = dialogLabel(seriesDialogText::Name, this);
    nameLabel->setBuddy(name_);
    grid->addWidget(nameLabel, 4, 0);
    grid->addWidget(name_, 4, 1, 1, 2);
    count_ = new QSpinBox(this);
    count_->setRange(0, 999);
    count_->setSpecialValueText(uiText("seriesDialogText", seriesDialogText::UntilEnded));
    skin::paintField(*count_);
    QLabel* countLabel = dialogLabel(seriesDialogText::Count, this);
    countLabel->setBuddy(count_);
    grid->addWidget(countLabel, 5, 0);
    grid->addWidget(count_, 5, 1);

    auto* note = dialogLabel(seriesDialogText::SerialNote, this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    start_ = buttons->addButton(uiText("seriesDialogText", seriesDialogText::Start),
                                QDialogButtonBox::AcceptRole);
    start_->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // Where the racer most likely starts: the sheet the page shows, else the page, else a file.
    const int shownCategory = category_->findText(text(choices.pageCategory));
    if (shownCategory >= 0) category_->setCurrentIndex(shownCategory);
    listSheets();
    const int shownSheet = sheetList_->findText(text(choices.pageSheet));
    if (shownSheet >= 0) sheetList_->setCurrentIndex(shownSheet);
    page_->setEnabled(choices.pageHasValues);
    record_->setEnabled(!choices.records.empty());
    if (!choices.pageSheet.empty() && shownSheet >= 0) {
        sheet_->setChecked(true);
    } else if (choices.pageHasValues) {
        page_->setChecked(true);
    } else {
        file_->setChecked(true);
    }

    connect(category_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        listSheets();
        sheet_->setChecked(true);
        refresh();
    });
    connect(sheetList_, qOverload<int>(&QComboBox::activated), this, [this] {
        sheet_->setChecked(true);
        refresh();
    });
    connect(fileField_, &QLineEdit::textEdited, this, [this] {
        file_->setChecked(true);
        refresh();
    });
    connect(recordList_, qOverload<int>(&QComboBox::activated), this, [this] {
        record_->setChecked(true);
        refresh();
    });
    connect(browse_, &QPushButton::clicked, this, [this] {
        if (!choices_.files) return;
        if (const auto file = choices_.files->chooseFileToOpen()) {
            fileField_->setText(QString::fromStdString(file->string()));
            file_->setChecked(true);
            refresh();
        }
    });
    connect(group, &QButtonGroup::buttonToggled, this, [this] { refresh(); });
    connect(name_, &QLineEdit::textEdited, this, [this] { nameTyped_ = true; });
    refresh();
}

void CSeriesDlg::listSheets() {
    sheetList_->clear();
    for (const SetupSheetEntry& entry :
         ListSetupSheets(choices_.programFolder, category_->currentText().toStdString())) {
        sheetList_->addItem(text(entry.title), QString::fromStdString(entry.file.string()));
    }
}

std::string CSeriesDlg::valuesName() const {
    if (page_->isChecked()) return "page settings";
    if (sheet_->isChecked()) return sheetList_->currentText().toStdString();
    if (file_->isChecked())
        return std::filesystem::path(fileField_->text().toStdString()).stem().string();
    const int row = recordList_->currentIndex();
    if (row < 0 || static_cast<std::size_t>(row) >= choices_.records.size()) return {};
    return "record " + std::to_string(choices_.records[static_cast<std::size_t>(row)].id);
}

void CSeriesDlg::refresh() {
    // An empty name field follows the values again.
    if (nameTyped_ && name_->text().isEmpty()) nameTyped_ = false;
    if (!nameTyped_) name_->setText(text(defaultSeriesName(valuesName(), choices_.today)));
    start_->setEnabled(form().has_value());
}

std::optional<SeriesStart> CSeriesDlg::form() const {
    SeriesStart start;
    if (page_->isChecked() && choices_.pageHasValues) {
        start.source = SeriesStart::Source::Page;
    } else if (sheet_->isChecked() && sheetList_->currentIndex() >= 0) {
        start.source = SeriesStart::Source::File;
        start.file = sheetList_->currentData().toString().toStdString();
    } else if (file_->isChecked() && !fileField_->text().trimmed().isEmpty()) {
        start.source = SeriesStart::Source::File;
        start.file = fileField_->text().trimmed().toStdString();
    } else if (record_->isChecked() && recordList_->currentIndex() >= 0 &&
               static_cast<std::size_t>(recordList_->currentIndex()) < choices_.records.size()) {
        start.source = SeriesStart::Source::Record;
        start.record = choices_.records[static_cast<std::size_t>(recordList_->currentIndex())];
    } else {
        return std::nullopt;
    }
    start.name = name_->text().trimmed().toStdString();
    start.count = static_cast<std::size_t>(count_->value());
    return start;
}

std::optional<SeriesStart> QtSeriesFormDialog::ask(const SeriesChoices& choices) {
    CSeriesDlg dialog(choices, owner_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.form();
}

}  // namespace orvek
