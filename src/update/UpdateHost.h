#pragma once
// What a firmware update worker may do to the window around it. The window implements it by
// posting each call to its own thread in order; tests implement it by recording the calls.
#include <string>

#include "firmware/FirmwareCatalogue.h"
#include "link/LinkStates.h"
#include "platform/MessageIcon.h"
#include "platform/PictureIds.h"

namespace orvek {

class UpdateHost {
public:
    virtual ~UpdateHost() = default;

    // The connection monitor's poll timer. stopPollTimer returns only once the timer is
    // stopped, so that no poll overlaps the worker's first exchange.
    virtual void stopPollTimer() = 0;
    virtual void startPollTimer() = 0;

    virtual void setUpdateIdle(bool idle) = 0;
    virtual void clearUpdateRequest(FirmwareTarget target) = 0;

    virtual bool fixMode() const = 0;
    virtual CardState cardState() const = 0;
    virtual void setCardState(CardState state) = 0;

    virtual void setProgressCaption(FirmwareTarget target, const std::string& caption) = 0;
    virtual void showProgress(FirmwareTarget target, bool shown) = 0;
    virtual void setStatusPicture(FirmwareTarget target, int pictureId) = 0;
    virtual void showStatusPicture(FirmwareTarget target, bool shown) = 0;
    virtual void setStartPicture(FirmwareTarget target, int pictureId) = 0;
    virtual void invalidatePage() = 0;

    // A modal message owned by the main window; returns once it is dismissed.
    virtual void showMessage(const std::string& text, MessageIcon icon) = 0;
};

}  // namespace orvek
