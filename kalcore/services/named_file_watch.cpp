#include "services/named_file_watch.h"

#include <cstring>

#include "platform/directories.h"

namespace kalcore::services {

bool NamedFileWatch::Open(const char* directory, const char* fileName) {
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
    path_[0] = '\0';
}

bool NamedFileWatch::Unchanged() const {
    return path_[0] != '\0' && file_.Unchanged() && (!watchDirectory_ || directory_.Unchanged());
}

}  // namespace kalcore::services
