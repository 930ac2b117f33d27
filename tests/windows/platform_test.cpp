// The win32 platform layer against the real system services (run under Wine
// in CI): the profile file, the directory test that must leave the current
// drive and directory alone, whole-file reads and replacements, and the time
// zone. Prints "N passed, N failed"; exits non-zero on any failure.
#include <direct.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/directories.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/time_zone.h"
#include "windows/check.h"

namespace {

using namespace kalcore::platform;

using kalcore::windows_test::Check;

std::string CurrentDirectory() {
    char buffer[260];
    return _getcwd(buffer, sizeof buffer) != nullptr ? buffer : "";
}

void Profile() {
    const char* file = "KalPlatformTest.Ini";  // no directory: the Windows directory
    Check(WriteProfileString("KalDateSoft", "KalDateFile", "DatCvFil.Bnf", file), "write");
    Check(WriteProfileString("KalDateSoft", "Empty", "", file), "write empty");
    char value[255];
    Check(ReadProfileString("KalDateSoft", "KalDateFile", value, sizeof value, file) == 12 &&
              std::strcmp(value, "DatCvFil.Bnf") == 0,
          std::string("read back: ") + value);
    // The same file under another case of its name.
    Check(ReadProfileString("KalDateSoft", "KalDateFile", value, sizeof value,
                            "KALPLATFORMTEST.INI") == 12,
          "read through the upper-case name");
    std::strcpy(value, "stale");
    Check(ReadProfileString("KalDateSoft", "Missing", value, sizeof value, file) == 0 &&
              value[0] == '\0',
          "missing key");
    std::strcpy(value, "stale");
    Check(ReadProfileString("KalDateSoft", "Empty", value, sizeof value, file) == 0 &&
              value[0] == '\0',
          "empty key counts as missing");
    char small[5];
    Check(ReadProfileString("KalDateSoft", "KalDateFile", small, sizeof small, file) == 4 &&
              std::strcmp(small, "DatC") == 0,
          std::string("cut to the buffer: ") + small);
    Check(ReadProfileString(nullptr, "KalDateFile", value, sizeof value, file) == 0 &&
              value[0] == '\0',
          "null section");
    Check(!WriteProfileString("KalDateSoft", nullptr, "x", file), "null key is refused");
    Check(WriteProfileString("KalDateSoft", "KalDateFile", "Other.Bnf", file) &&
              ReadProfileString("KalDateSoft", "KalDateFile", value, sizeof value, file) == 9,
          "rewrite");
}

void Directories() {
    const std::string before = CurrentDirectory();
    const int driveBefore = _getdrive();
    char full[260];
    Check(
        ResolveDirectory("C:\\windows", full, sizeof full) && _stricmp(full, "C:\\windows\\") == 0,
        std::string("C:\\windows -> ") + full);
    Check(ResolveDirectory("c:\\windows\\system32\\", full, sizeof full) &&
              _stricmp(full, "C:\\windows\\system32\\") == 0,
          std::string("trailing separator -> ") + full);
    Check(!ResolveDirectory("C:\\no such directory", full, sizeof full) && full[0] == '\0',
          "missing directory");
    Check(!ResolveDirectory("Q:\\", full, sizeof full) && full[0] == '\0', "missing drive");
    Check(!ResolveDirectory("1:\\", full, sizeof full), "no drive letter");
    Check(!ResolveDirectory("", full, sizeof full), "empty path");
    char tiny[6];
    Check(!ResolveDirectory("C:\\windows", tiny, sizeof tiny) && tiny[0] == '\0',
          "result that does not fit");
    const std::string longPath = "C:\\" + std::string(400, 'a');
    Check(!ResolveDirectory(longPath.c_str(), full, sizeof full), "overlong path");
    Check(CurrentDirectory() == before && _getdrive() == driveBefore,
          "current drive and directory kept: " + CurrentDirectory());

    char out[16];
    Check(HostDataDirectory("C:\\", out, sizeof out) && std::strcmp(out, "C:\\") == 0, "C:\\");
    Check(!HostDataDirectory("C:\\a very long directory\\", out, sizeof out) && out[0] == '\0',
          "stored directory that does not fit");
    Check(JoinDataFile("C:\\", "DatCvFil.Bnf", out, sizeof out) &&
              std::strcmp(out, "C:\\DatCvFil.Bnf") == 0,
          "join");
    Check(!JoinDataFile("C:\\data\\", "DatCvFil.Bnf", out, sizeof out) && out[0] == '\0',
          "join that does not fit");
}

void Files() {
    const char* path = "C:\\kal-platform-test.bnf";
    std::remove(path);
    char buffer[8];
    Check(ReadFileStart(path, buffer, sizeof buffer) == -1, "missing file");
    Check(ReplaceFile(path, "M\0\0\0", 4), "create");
    Check(ReadFileStart(path, buffer, sizeof buffer) == 4 && buffer[0] == 'M', "read back");
    Check(ReplaceFile(path, "G\0", 2), "replace an existing file");
    Check(ReadFileStart(path, buffer, sizeof buffer) == 2 && buffer[0] == 'G', "replaced whole");
    Check(ReadFileStart(path, buffer, 1) == 1, "read only what is asked");
    Check(!ReplaceFile("C:\\no such directory\\x.bnf", "M", 1), "unwritable place");
    std::remove(path);
}

// TZ is set by the test to America/New_York.
void TimeZone() {
    TimeZoneInfo info;
    std::memset(&info, 0x55, sizeof info);
    const ZoneState state = ReadTimeZone(2026, info);
    Check(state == ZoneState::kStandard || state == ZoneState::kDaylight,
          "zone with daylight saving");
    Check(info.bias == 300, "bias " + std::to_string(info.bias));
    Check(info.daylightBias == -60, "daylight bias " + std::to_string(info.daylightBias));
    Check(std::strlen(info.standardName) > 0 && std::strlen(info.standardName) < 64,
          std::string("standard name ") + info.standardName);
    Check(std::strlen(info.daylightName) < 64, "daylight name terminated");
    const TransitionRule& end = info.standardDate;
    const TransitionRule& begin = info.daylightDate;
    Check(end.year == 0 && end.month == 11 && end.dayOfWeek == 0 && end.day == 1,
          "ends on the first Sunday of November");
    Check(begin.year == 0 && begin.month == 3 && begin.dayOfWeek == 0 && begin.day == 2,
          "begins on the second Sunday of March");
    // The rules of the year asked for: until 2006 New York's daylight time
    // ran from the first Sunday of April to the last Sunday of October.
    TimeZoneInfo y2000;
    ReadTimeZone(2000, y2000);
    Check(y2000.daylightDate.month == 4 && y2000.daylightDate.day == 1 &&
              y2000.standardDate.month == 10 && y2000.standardDate.day == 5,
          "the rules of 2000");
}

}  // namespace

int main() {
    Profile();
    Directories();
    Files();
    const char* tz = std::getenv("TZ");
    if (tz != nullptr && std::strcmp(tz, "America/New_York") == 0) TimeZone();
    return kalcore::windows_test::Verdict();
}
