#include "session/ModelWatch.h"

namespace orvek {

bool ModelWatch::Mark::operator==(const Mark& o) const {
    return revisions == o.revisions && family == o.family && versionText == o.versionText &&
           lastReadBlock == o.lastReadBlock && escSettingsKnown == o.escSettingsKnown &&
           written == o.written;
}

ModelWatch::Mark ModelWatch::mark() const {
    Mark mark;
    for (const PlainOptionList& list : plainLists_) mark.revisions += list.revision();
    mark.family = lists_.family;
    mark.versionText = lists_.versionText;
    mark.lastReadBlock = lists_.lastReadBlock;
    mark.escSettingsKnown = lists_.escSettingsKnown;
    for (std::size_t i = 0; i < mark.written.size(); ++i)
        mark.written[i] = lists_.writeImage[i].value;
    return mark;
}

std::optional<SettingsModelState> ModelWatch::changed(std::uint64_t picksServed) {
    const Mark now = mark();
    const bool maybeChanged = !(now == publishedMark_);
    publishedMark_ = now;
    SettingsModelState settings;
    if (maybeChanged) settings = stateOf(lists_);
    if ((maybeChanged && settings != published_) || picksServed != publishedPicks_) {
        if (!maybeChanged) settings = published_;
        published_ = settings;
        publishedPicks_ = picksServed;
        return settings;
    }
    return std::nullopt;
}

}  // namespace orvek
