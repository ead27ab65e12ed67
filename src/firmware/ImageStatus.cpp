#include "firmware/ImageStatus.h"

#include "firmware/KfwImage.h"

namespace orvek {

static_assert(kKfwFileBytesLimit == 16u * 1024 * 1024, "the FileTooLarge text names the limit");

const char* imageReadStatusText(ImageReadStatus status) {
  switch (status) {
    case ImageReadStatus::Ok: return "ok";
    case ImageReadStatus::CannotOpen: return "cannot open the file";
    case ImageReadStatus::ReadError: return "the file could not be read to its end";
    case ImageReadStatus::TooLarge: return "the image is larger than 65536 bytes";
    case ImageReadStatus::NotAFile: return "not a regular file (a folder, pipe or device)";
    case ImageReadStatus::FileTooLarge:
      return "the file is larger than 16 MiB, more than any ESC image";
  }
  return "unknown";
}

ImageReadStatus imageReadStatusFor(FileCheck check) {
  switch (check) {
    case FileCheck::Ok: return ImageReadStatus::Ok;
    case FileCheck::Missing:
    case FileCheck::CannotOpen: return ImageReadStatus::CannotOpen;
    case FileCheck::NotAFile: return ImageReadStatus::NotAFile;
    case FileCheck::TooLarge: return ImageReadStatus::FileTooLarge;
    case FileCheck::ReadFailed: return ImageReadStatus::ReadError;
  }
  return ImageReadStatus::ReadError;
}

}  // namespace orvek
