#include "temp_home.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kalcore::testing {

TempHome::TempHome()
    : saved_{{"HOME", false, {}},
             {"XDG_CONFIG_HOME", false, {}},
             {"XDG_DATA_HOME", false, {}},
             {"HOLDYPATH", false, {}}} {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/kalcore-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    for (Saved& s : saved_) {
        const char* value = std::getenv(s.name);
        s.set = value != nullptr;
        if (value != nullptr) s.value = value;
    }
    setenv("HOME", root_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
    unsetenv("HOLDYPATH");
}

TempHome::~TempHome() {
    for (const Saved& s : saved_) {
        if (s.set)
            setenv(s.name, s.value.c_str(), 1);
        else
            unsetenv(s.name);
    }
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void TempHome::WriteFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string TempHome::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool TempHome::Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

void TempHome::MakeDirectory(const std::string& path) {
    std::filesystem::create_directories(path);
}

}  // namespace kalcore::testing
