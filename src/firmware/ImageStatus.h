#pragma once
// Outcome of reading a firmware image file, shared by the .kfw and .xup readers.
#include "platform/ReadableFile.h"

namespace orvek {

enum class ImageReadStatus {
  Ok,
  CannotOpen,    // missing or unreadable
  ReadError,     // opened, but a read failed part-way
  TooLarge,      // a .xup image decoding to more bytes than the card's image buffer holds
  NotAFile,      // a folder, pipe or device: never read, so that it cannot block an update
  FileTooLarge,  // a .kfw file larger than any ESC image (kKfwFileBytesLimit)
};

// A short English description, for the command-line tool and test messages.
const char* imageReadStatusText(ImageReadStatus status);

// How a refused or failed file read shows as an image read: TooLarge becomes FileTooLarge.
ImageReadStatus imageReadStatusFor(FileCheck check);

}  // namespace orvek
