#include "gui/pages/links/CUserDlg.h"

#include <QLabel>

#include "gui/desktop/Translation.h"
#include "resources/SkinRegistry.h"

namespace orvek {

namespace {

// Placeholders of the link areas: the four products in a column, the homepage button below
// the help text. Only their rectangles are used; they are never shown.
struct AreaPlace {
    ProductLink link;
    int id;
    QRect place;
    const char* name;  // what assistive technology reads: the product the link is for
};
constexpr int kProductTop = 60;
constexpr int kProductPitch = 120;
const AreaPlace kAreaPlaces[] = {
    {ProductLink::Homepage, linkArea::Homepage, QRect(500, 500, 150, 60),
     QT_TRANSLATE_NOOP("linksText", "ORVEK homepage")},
    {ProductLink::Arc, linkArea::Arc, QRect(700, kProductTop, 250, 100), "ARC"},
    {ProductLink::Basis, linkArea::Basis, QRect(700, kProductTop + kProductPitch, 250, 100),
     "BASIS SPEC"},
    {ProductLink::Zeta, linkArea::Zeta, QRect(700, kProductTop + 2 * kProductPitch, 250, 100),
     "ZETA"},
    {ProductLink::Qlx, linkArea::Qlx, QRect(700, kProductTop + 3 * kProductPitch, 250, 100), "QLX"},
};
// The order Tab visits them in: the products top to bottom, then the homepage below the help.
constexpr ProductLink kReadingOrder[] = {ProductLink::Arc, ProductLink::Basis, ProductLink::Zeta,
                                         ProductLink::Qlx, ProductLink::Homepage};

}  // namespace

CUserDlg::CUserDlg(UrlOpener& opener, const std::filesystem::path& programFolder, QWidget* parent)
    : PageBase(parent, PressRule::PlainLeftButton), opener_(opener), face_(new QLabel(this)) {
    const QPixmap face = SkinRegistry::pixmap(SkinId::LinksPage);
    face_->setObjectName(QString::number(linksControl::FacePicture));
    face_->setPixmap(face);
    face_->setGeometry(QRect(QPoint(0, 0), face.deviceIndependentSize().toSize()));
    // The page itself takes the pointer, so that the areas work over the picture.
    face_->setAttribute(Qt::WA_TransparentForMouseEvents);

    productLinks_ = ReadProductLinks(programFolder);
    // In ProductLink order, so that an area's index is its link.
    std::array<const char*, kProductLinkCount> names{};
    for (const AreaPlace& area : kAreaPlaces) {
        linkAreas_[static_cast<std::size_t>(area.link)] = area.place;
        names[static_cast<std::size_t>(area.link)] = area.name;
    }
    for (std::size_t i = 0; i < linkAreas_.size(); ++i) {
        keyAreas_[i] = clickAreas_.addWithKeys(*this, linkAreas_[i], uiText("linksText", names[i]),
                                               QAccessible::Link,
                                               [this, i] { opener_.open(productLinks_[i]); });
    }
}

std::vector<QWidget*> CUserDlg::tabStops() const {
    std::vector<QWidget*> stops;
    for (ProductLink link : kReadingOrder)
        stops.push_back(keyAreas_[static_cast<std::size_t>(link)]);
    return stops;
}

}  // namespace orvek
