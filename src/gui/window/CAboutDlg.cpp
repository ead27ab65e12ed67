#include "gui/window/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/desktop/Translation.h"
#include "gui/window/WindowResources.h"
#include "resources/SkinRegistry.h"

namespace orvek {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiText("windowText", windowText::AboutTitle));
    auto* icon = new QLabel(this);
    icon->setPixmap(SkinRegistry::pixmap(SkinId::AppIcon));
    auto* text = new QLabel(QString::fromUtf8(windowText::AboutText), this);
    text->setObjectName(QStringLiteral("aboutText"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(buttons);
    setFixedSize(sizeHint());
}

}  // namespace orvek
