#include "services/named_file_watch.h"

#include <cstring>

#include "platform/change_feed.h"
#include "platform/directories.h"

namespace kalcore::services {

bool NamedFileWatch::Open(const char* directory, const char* fileName, std::uint64_t look) {
    Close();
    HostPath exact;
    if (directory == nullptr || fileName == nullptr || directory[0] == '\0' ||
        std::strlen(directory) + std::strlen(fileName) >= sizeof exact ||
        !platform::JoinDataFile(directory, fileName, path_, sizeof path_)) {
        path_[0] = '\0';
        return false;
    }
    std::strcpy(exact, directory);
    std::strcat(exact, fileName);
    std::strcpy(directoryPath_, directory);
    // The feed's watches come first: a change from here on is reported.
    WatchInFeed(directory);
    confirmed_ = look;
    // The directory first: a file made meanwhile changes it.
    watchDirectory_ = std::strcmp(path_, exact) != 0 ||
                      platform::ReadFileState(path_).kind == platform::FileState::Kind::kMissing;
    if (watchDirectory_) directory_.Open(directory);
    file_.Open(path_);
    return true;
}

void NamedFileWatch::Close() {
    file_.Close();
    directory_.Close();
    watchDirectory_ = false;
    feedGeneration_ = 0;
    path_[0] = '\0';
    directoryPath_[0] = '\0';
}

void NamedFileWatch::WatchInFeed(const char* directory) {
    platform::ChangeFeed& feed = platform::ChangeFeed::Instance();
    feedGeneration_ = feed.Watch(directory);
    if (feedGeneration_ == 0) return;
    // A missing file shows in its directory when it is made.
    const std::uint64_t file = feed.Watch(path_);
    if (file != feedGeneration_ &&
        (file != 0 || platform::ReadFileState(path_).kind != platform::FileState::Kind::kMissing))
        feedGeneration_ = 0;
}

bool NamedFileWatch::Unchanged(std::uint64_t look) {
    if (path_[0] == '\0') return false;
    if (feedGeneration_ != 0 && look == confirmed_) return true;
    // Something in the watched directories changed, or the feed started
    // over: watched afresh (the file may be a new one), then checked.
    WatchInFeed(directoryPath_);
    if (!Unchanged()) return false;
    confirmed_ = look;
    return true;
}

bool NamedFileWatch::Unchanged() const {
    return path_[0] != '\0' && file_.Unchanged() && (!watchDirectory_ || directory_.Unchanged());
}

}  // namespace kalcore::services
