// Windows gives no feed the library uses: its caches check their files
// themselves.
#include "platform/change_feed.h"

namespace kalcore::platform {

ChangeFeed& ChangeFeed::Instance() {
    static ChangeFeed feed;
    return feed;
}

std::uint64_t ChangeFeed::Look() {
    return 0;
}

std::uint64_t ChangeFeed::Watch(const char*) {
    return 0;
}

std::uint64_t ChangeFeed::Generation() const {
    return 0;
}

}  // namespace kalcore::platform
