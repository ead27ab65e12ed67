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
#include "gui/controls/PageKit.h"
#include "gui/desktop/UrlOpener.h"

class QLabel;

namespace orvek {

// The links page: five areas of picture 164, each opening a configured link.
namespace linkArea {
constexpr int Homepage = 1028;
constexpr int Arc = 1041;
constexpr int Basis = 1042;
constexpr int Zeta = 1043;
constexpr int Qlx = 1044;
}  // namespace linkArea

class CUserDlg : public QWidget {
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
    std::vector<QWidget*> tabStops() const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    UrlOpener& opener_;
    QLabel* face_;
    std::array<std::string, kProductLinkCount> productLinks_;
    std::array<QRect, kProductLinkCount> linkAreas_;
    ClickAreas clickAreas_;
    std::array<KeyArea*, kProductLinkCount> keyAreas_{};
};

}  // namespace orvek
