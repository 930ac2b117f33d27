// Processes that load the library at the same instant in one home, as a shell
// loop of kalc calls, a desktop program and a batch job on one account do:
// 2, 4 and 8 processes released together by a barrier, in an empty home, a
// home whose configuration file is there but whose data files are not, and
// a home with everything in place. After each round the home must hold every
// key of the configuration file once, each data file once under one name, no
// leftover temporary file, the holiday records of the key year once each,
// and the conversion code that one process stored after its start-up.
//
// usage: kalcore_concurrency_test LIBRARY [ROUNDS]
// Prints the number of bad rounds per case; exits 1 when there is any.
#include <dirent.h>
#include <dlfcn.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* g_library = nullptr;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Points the library's directories at `home` for the children to come.
void UseHome(const fs::path& home) {
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    unsetenv("HOLDYPATH");
}

// Loads the library in a child process; the first child of a round then
// stores the conversion code G. Exit status 0 when all went well.
[[noreturn]] void Child(pthread_barrier_t* barrier, bool storeCode) {
    if (barrier != nullptr) pthread_barrier_wait(barrier);
    void* library = dlopen(g_library, RTLD_NOW | RTLD_LOCAL);  // start-up runs here
    if (library == nullptr) _exit(2);
    if (storeCode) {
        using CreateFn = int16_t (*)(const char*);
        const auto create = reinterpret_cast<CreateFn>(dlsym(library, "KD_DTCVCREATEFILE"));
        if (create == nullptr || create("G") != 1) _exit(3);
    }
    _exit(0);
}

// Runs `count` children released together; true when all exited 0.
bool RunTogether(int count) {
    auto* barrier = static_cast<pthread_barrier_t*>(mmap(nullptr, sizeof(pthread_barrier_t),
                                                         PROT_READ | PROT_WRITE,
                                                         MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    if (barrier == MAP_FAILED) return false;
    pthread_barrierattr_t attributes;
    pthread_barrierattr_init(&attributes);
    pthread_barrierattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
    pthread_barrier_init(barrier, &attributes, static_cast<unsigned>(count));
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t pid = fork();
        if (pid == 0) Child(barrier, i == 0);
        if (pid > 0) children.push_back(pid);
    }
    bool ok = static_cast<int>(children.size()) == count;
    for (pid_t pid : children) {
        int status = 0;
        ok = waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
    }
    pthread_barrier_destroy(barrier);
    munmap(barrier, sizeof(pthread_barrier_t));
    return ok;
}

// One start-up alone.
bool RunAlone() {
    const pid_t pid = fork();
    if (pid == 0) Child(nullptr, false);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

std::vector<std::string> Entries(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(dir, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What is wrong with the home after a round; empty when nothing.
std::string Fault(const fs::path& home, std::size_t holidayRecords) {
    std::ostringstream fault;
    // Every key once, in the one section.
    const std::string ini = ReadAll(home / "config/kalcore/KalDatFl.Ini");
    const char* keys[] = {"KalDateLocation",       "KalDateFile",        "KalDateHoldy",
                          "KeyYearForHolidayFile", "KalDateDateIniChgd", "KalDateTimeZone"};
    for (const char* key : keys) {
        int found = 0;
        std::istringstream lines(ini);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(std::string(key) + "=", 0) == 0) ++found;
        if (found != 1) fault << key << " " << found << " times; ";
    }
    // Each data file once, under its one name, and nothing else; beside the
    // configuration file at most the lock file.
    const std::vector<std::string> data = Entries(home / "data/kalcore");
    if (data != std::vector<std::string>{"DatCvFil.Bnf", "Holidayf.Bnf"}) {
        fault << "data files:";
        for (const std::string& name : data) fault << " " << name;
        fault << "; ";
    }
    for (const std::string& name : Entries(home / "config/kalcore"))
        if (name != "KalDatFl.Ini" && name != "KalDatFl.Ini.lock")
            fault << "left in the configuration directory: " << name << "; ";
    // The code stored after a start-up stays.
    const std::string code = ReadAll(home / "data/kalcore/DatCvFil.Bnf");
    if (code != "FGXT") fault << "conversion file holds [" << code << "]; ";
    // The key year's records, each once.
    const std::string holidays = ReadAll(home / "data/kalcore/Holidayf.Bnf");
    std::set<std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t>> identities;
    for (std::size_t at = 0; at + 72 <= holidays.size(); at += 72) {
        int32_t n[18];
        std::memcpy(n, holidays.data() + at, 72);
        identities.emplace(n[0], n[1], n[2], n[3], n[17]);
    }
    if (holidays.size() != holidayRecords * 72 || identities.size() != holidayRecords)
        fault << "holiday file of " << holidays.size() << " bytes, " << identities.size()
              << " distinct records; ";
    return fault.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LIBRARY [ROUNDS]\n", argv[0]);
        return 2;
    }
    g_library = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    char pattern[] = "/tmp/kalcore-concurrency-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 2;
    const fs::path root = pattern;

    // How many records the key year gives, from a start-up alone.
    UseHome(root / "reference");
    if (!RunAlone()) {
        std::fprintf(stderr, "the library cannot be loaded: %s\n", g_library);
        return 2;
    }
    const std::size_t records = fs::file_size(root / "reference/data/kalcore/Holidayf.Bnf") / 72;

    const char* seeds[] = {"empty (first use)", "configuration file present, data files missing",
                           "everything present"};
    const int counts[] = {2, 4, 8};
    int total = 0;
    std::printf("bad rounds of %d, processes released at once in one home\n", rounds);
    std::printf("%-50s %6s %6s %6s\n", "home before the round", "2", "4", "8");
    for (int seed = 0; seed < 3; ++seed) {
        std::printf("%-50s", seeds[seed]);
        for (int count : counts) {
            int bad = 0;
            for (int round = 0; round < rounds; ++round) {
                const fs::path home = root / ("h" + std::to_string(seed) + "-" +
                                              std::to_string(count) + "-" + std::to_string(round));
                UseHome(home);
                if (seed > 0) {
                    RunAlone();
                    if (seed == 1) fs::remove_all(home / "data/kalcore");
                }
                const bool ran = RunTogether(count);
                const std::string fault = Fault(home, records);
                if (!ran || !fault.empty()) {
                    ++bad;
                    std::fprintf(stderr, "%s, %d processes, round %d: %s%s\n", seeds[seed], count,
                                 round, ran ? "" : "a process failed; ", fault.c_str());
                }
                fs::remove_all(home);
            }
            total += bad;
            std::printf(" %6d", bad);
            std::fflush(stdout);
        }
        std::printf("\n");
    }
    fs::remove_all(root);
    return total == 0 ? 0 : 1;
}
