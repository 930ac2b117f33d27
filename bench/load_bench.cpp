// How long loading the library takes (dlopen to its return, start-up
// included), in a fresh home and in a warm one: the median of SAMPLES loads,
// each in a process of its own.
//
// usage: kalcore_load_bench LIBRARY [SAMPLES]
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Loads the library in a child process with its home at `home`; the time
// the load took in nanoseconds, or -1.
long long TimeOneLoad(const char* library, const fs::path& home) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        unsetenv("HOLDYPATH");
        const auto start = std::chrono::steady_clock::now();
        void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
        const auto end = std::chrono::steady_clock::now();
        long long ns =
            handle != nullptr
                ? std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count()
                : -1;
        const bool sent = write(pipeEnds[1], &ns, sizeof ns) == sizeof ns;
        _exit(sent ? 0 : 1);
    }
    close(pipeEnds[1]);
    long long ns = -1;
    if (pid < 0 || read(pipeEnds[0], &ns, sizeof ns) != sizeof ns) ns = -1;
    close(pipeEnds[0]);
    if (pid > 0) waitpid(pid, nullptr, 0);
    return ns;
}

double MedianMicroseconds(std::vector<long long> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double middle = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2.0;
    return middle / 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LIBRARY [SAMPLES]\n", argv[0]);
        return 2;
    }
    const char* library = argv[1];
    const int samples = argc > 2 ? std::atoi(argv[2]) : 50;
    char pattern[] = "/tmp/kalcore-load-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 2;
    const fs::path root = pattern;

    std::vector<long long> fresh, warm;
    const fs::path warmHome = root / "warm";
    if (TimeOneLoad(library, warmHome) < 0) {
        std::fprintf(stderr, "cannot load %s\n", library);
        return 1;
    }
    for (int i = 0; i < samples; ++i) {
        const fs::path home = root / ("fresh" + std::to_string(i));
        fresh.push_back(TimeOneLoad(library, home));
        fs::remove_all(home);
    }
    // One after another, as a loop of commands loads it: most loads fall in
    // the second of the one before and find the stamp already written.
    for (int i = 0; i < samples; ++i) warm.push_back(TimeOneLoad(library, warmHome));
    fs::remove_all(root);
    std::printf("load (dlopen to return), median of %d: fresh home %.1f us, warm home %.1f us\n",
                samples, MedianMicroseconds(fresh), MedianMicroseconds(warm));
    return 0;
}
