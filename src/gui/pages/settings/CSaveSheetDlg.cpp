#include "gui/pages/settings/CSaveSheetDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/controls/SkinPalette.h"
#include "gui/desktop/Translation.h"
#include "settings/SetupSheetWriter.h"

namespace orvek {

namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }

// The core's reason as a sentence of the dialog, in the window's language (a Japanese one
// brings its own full stop).
QString sentence(const std::string& reason) {
    QString text = coreText(reason);
    if (text.isEmpty()) return text;
    text[0] = text[0].toUpper();
    return text.endsWith(QChar(0x3002)) ? text : text + QLatin1Char('.');
}

QLabel* formLabel(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    skin::setTextColour(*label, skin::kLabelText);
    return label;
}

}  // namespace

CSaveSheetDlg::CSaveSheetDlg(const SheetForm& prefill, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Save as Setup Sheet"));
    skin::paintBlack(*this);
    setMinimumWidth(520);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    category_ = new QComboBox(this);
    for (const char* category : ProfileCategories())
        category_->addItem(QString::fromLatin1(category));
    const int loaded = category_->findText(text(prefill.category));
    category_->setCurrentIndex(loaded >= 0 ? loaded : 0);
    form->addRow(formLabel(tr("Category"), this), category_);

    name_ = new QLineEdit(text(prefill.name), this);
    skin::paintField(*name_);
    name_->setMaxLength(static_cast<int>(kSheetNameMaxLength) + 1);
    form->addRow(formLabel(tr("Sheet name"), this), name_);

    for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
        info_[k] = new QLineEdit(text(prefill.info[k]), this);
        skin::paintField(*info_[k]);
        form->addRow(formLabel(settingName(InfoKeyNames()[k]), this), info_[k]);
    }
    memo_ = new QLineEdit(text(prefill.memo), this);
    skin::paintField(*memo_);
    form->addRow(formLabel(tr("Memo"), this), memo_);

    note_ = new QLabel(this);
    note_->setWordWrap(true);
    skin::setTextColour(*note_, skin::kOrange);
    layout->addWidget(note_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSaveSheetDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSaveSheetDlg::reject);
    layout->addWidget(buttons);
    name_->setFocus();
}

SheetForm CSaveSheetDlg::form() const {
    SheetForm form;
    form.category = category_->currentText().toStdString();
    form.name = name_->text().toStdString();
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) form.info[k] = info_[k]->text().toStdString();
    form.memo = memo_->text().toStdString();
    return form;
}

void CSaveSheetDlg::accept() {
    const SheetForm entered = form();
    if (const SheetNameProblem problem = checkSheetName(entered.name);
        problem != SheetNameProblem::None) {
        note_->setText(sentence(sheetNameProblemText(problem)));
        name_->setFocus();
        return;
    }
    SetupSheetContent content;
    content.info = entered.info;
    content.memo = entered.memo;
    if (const auto value = sheetValueProblem(content)) {
        note_->setText(sentence(sheetValueProblemText(*value)));
        return;
    }
    QDialog::accept();
}

std::optional<SheetForm> QtSheetFormDialog::ask(const SheetForm& prefill) {
    CSaveSheetDlg dialog(prefill, owner_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.form();
}

}  // namespace orvek
