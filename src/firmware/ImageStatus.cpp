#include "firmware/ImageStatus.h"

namespace orvek {

const char* imageReadStatusText(ImageReadStatus status) {
  switch (status) {
    case ImageReadStatus::Ok: return "ok";
    case ImageReadStatus::CannotOpen: return "cannot open the file";
    case ImageReadStatus::ReadError: return "the file could not be read to its end";
    case ImageReadStatus::TooLarge: return "the image is larger than 65536 bytes";
  }
  return "unknown";
}

}  // namespace orvek
