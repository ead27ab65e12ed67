#pragma once
// What a firmware update worker may do around it: the display half (the firmware page's pictures
// and captions, message boxes) and the session half (the poll timer, the update and card
// states). The window shows the first, the device session keeps the second; each is reached
// from the worker's thread by calls posted in order. Tests record both.
#include <string>

#include "firmware/FirmwareCatalogue.h"
#include "link/LinkStates.h"
#include "platform/MessageIcon.h"
#include "platform/PictureIds.h"

namespace orvek {

// What an update shows: the firmware page and the window's message boxes.
class UpdateDisplay {
public:
    virtual ~UpdateDisplay() = default;

    virtual void setProgressCaption(FirmwareTarget target, const std::string& caption) = 0;
    virtual void showProgress(FirmwareTarget target, bool shown) = 0;
    virtual void setStatusPicture(FirmwareTarget target, int pictureId) = 0;
    virtual void showStatusPicture(FirmwareTarget target, bool shown) = 0;
    virtual void setStartPicture(FirmwareTarget target, int pictureId) = 0;
    virtual void invalidatePage() = 0;

    // A modal message owned by the main window; returns once it is dismissed.
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;
};

class UpdateHost : public UpdateDisplay {
public:
    // The connection monitor's poll timer. stopPollTimer returns only once the timer is
    // stopped, so that no poll overlaps the worker's first exchange.
    virtual void stopPollTimer() = 0;
    virtual void startPollTimer() = 0;

    virtual void setUpdateIdle(bool idle) = 0;
    virtual void clearUpdateRequest(FirmwareTarget target) = 0;

    virtual bool fixMode() const = 0;
    virtual CardState cardState() const = 0;
    virtual void setCardState(CardState state) = 0;
};

}  // namespace orvek
