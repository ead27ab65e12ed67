#pragma once
// The USER SUPPORT page: one picture of the products with five link areas; a plain left click
// strictly inside an area, or Space or Enter on it, opens its configured link in the browser.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <QRect>
#include <QWidget>

#include "config/AppConfig.h"
#include "gui/controls/PageBase.h"
#include "gui/desktop/UrlOpener.h"
#include "gui/pages/links/LinksPageControls.h"

class QLabel;

namespace orvek {

class CUserDlg : public PageBase {
    Q_OBJECT
public:
    CUserDlg(UrlOpener& opener, const std::filesystem::path& programFolder,
             QWidget* parent = nullptr);

    // In page coordinates, in productLinkKeys() order.
    const std::array<QRect, kProductLinkCount>& linkAreas() const { return linkAreas_; }
    const std::array<std::string, kProductLinkCount>& productLinks() const { return productLinks_; }
    // The keyboard's link areas, in productLinkKeys() order (Space or Enter, as a click).
    KeyArea& linkKeys(ProductLink link) const { return *keyAreas_[static_cast<std::size_t>(link)]; }
    // What Tab visits on this page, in reading order: ARC, BASIS SPEC, ZETA, QLX, the homepage.
    std::vector<QWidget*> tabStops() const override;

private:
    UrlOpener& opener_;
    QLabel* face_;
    std::array<std::string, kProductLinkCount> productLinks_;
    std::array<QRect, kProductLinkCount> linkAreas_;
    std::array<KeyArea*, kProductLinkCount> keyAreas_{};
};

}  // namespace orvek
