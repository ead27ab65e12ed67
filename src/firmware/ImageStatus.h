#pragma once
// Outcome of reading a firmware image file, shared by the .kfw and .xup readers.

namespace orvek {

enum class ImageReadStatus {
  Ok,
  CannotOpen,  // missing, unreadable, or a folder
  ReadError,   // opened, but a read failed part-way
  TooLarge,    // a .xup image decoding to more bytes than the card's image buffer holds
};

// A short English description, for the command-line tool and test messages.
const char* imageReadStatusText(ImageReadStatus status);

}  // namespace orvek
