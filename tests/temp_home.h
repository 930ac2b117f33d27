// A private home for tests of the files the library keeps: the profile and
// data directories point into a fresh temporary directory until the guard
// goes, and HOLDYPATH is unset.
#pragma once

#include <string>

namespace kalcore::testing {

class TempHome {
  public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& root() const { return root_; }
    std::string ConfigDir() const { return root_ + "/config/kalcore/"; }
    std::string ConfigFile() const { return ConfigDir() + "KalDatFl.Ini"; }
    std::string DataDir() const { return root_ + "/data/kalcore/"; }

    // Whole-file helpers; ReadFile gives "" for a missing file.
    static void WriteFile(const std::string& path, const std::string& content);
    static std::string ReadFile(const std::string& path);
    static bool Exists(const std::string& path);
    static void MakeDirectory(const std::string& path);

  private:
    std::string root_;
    struct Saved {
        const char* name;
        bool set;
        std::string value;
    } saved_[4];
};

}  // namespace kalcore::testing
