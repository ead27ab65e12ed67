#pragma once
// The USER SUPPORT page: one picture of the products with five link areas; a plain left click
// strictly inside an area opens its configured link in the browser.
#include <array>
#include <filesystem>
#include <string>

#include <QRect>
#include <QWidget>

#include "app/AppConfig.h"
#include "platform/qt/UrlOpener.h"

class QLabel;

namespace orvek {

class CUserDlg : public QWidget {
    Q_OBJECT
public:
    CUserDlg(UrlOpener& opener, const std::filesystem::path& programFolder,
             QWidget* parent = nullptr);

    // In page coordinates, in productLinkKeys() order.
    const std::array<QRect, kProductLinkCount>& linkAreas() const { return linkAreas_; }
    const std::array<std::string, kProductLinkCount>& productLinks() const { return productLinks_; }
    // The area strictly containing the point (borders excluded); -1 for none.
    int areaAt(const QPoint& point) const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    UrlOpener& opener_;
    QLabel* face_;
    std::array<std::string, kProductLinkCount> productLinks_;
    std::array<QRect, kProductLinkCount> linkAreas_;
};

}  // namespace orvek
