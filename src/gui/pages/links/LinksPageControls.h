#pragma once
// Control ids of the USER SUPPORT page: its picture and the five link areas over it.
namespace orvek {

namespace linksControl {
constexpr int FacePicture = 1058;
}  // namespace linksControl

// The five areas of the page's picture, each opening a configured link.
namespace linkArea {
constexpr int Homepage = 1028;
constexpr int Arc = 1041;
constexpr int Basis = 1042;
constexpr int Zeta = 1043;
constexpr int Qlx = 1044;
}  // namespace linkArea

}  // namespace orvek
