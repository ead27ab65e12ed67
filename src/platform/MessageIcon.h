#pragma once
// The icon of a message box: the stop icon for refusals before an action, none for transfer
// failures.

namespace orvek {

enum class MessageIcon { None, Stop };

}  // namespace orvek
