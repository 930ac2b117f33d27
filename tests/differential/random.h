// The generator of the differential harnesses: splitmix64, a small generator
// whose whole run follows from its seed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace kalcore::differential {

class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    std::int32_t Int32() { return static_cast<std::int32_t>(Next()); }
    template <typename T, std::size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[Below(static_cast<int>(N))];
    }

  private:
    std::uint64_t state_;
};

// A character for a date text gone wrong: mostly of the dates' own alphabet,
// else a control character or a byte of 127 and above.
inline char RandomDateChar(Random& random) {
    static const char kAlphabet[] = "0123456789/-.  JanFebMarDecjulSEPxyzZ";
    const int kind = random.Below(100);
    if (kind < 80) return kAlphabet[random.Below(sizeof kAlphabet - 1)];
    if (kind < 90) return static_cast<char>(random.Between(1, 31));
    return static_cast<char>(random.Between(127, 255));
}

// A text with one to three random edits: a character changed, dropped,
// inserted or swapped, case flipped, a blank added at either end, the text
// cut, a digit put in.
inline std::string MutatedText(Random& random, std::string text) {
    const int edits = random.Between(1, 3);
    for (int e = 0; e < edits; ++e) {
        const int at = text.empty() ? 0 : random.Below(static_cast<int>(text.size()));
        switch (random.Below(9)) {
            case 0:
                if (!text.empty()) text[at] = RandomDateChar(random);
                break;
            case 1:
                if (!text.empty()) text.erase(at, 1);
                break;
            case 2:
                text.insert(text.begin() + at, RandomDateChar(random));
                break;
            case 3:
                if (text.size() > 1 && at + 1 < static_cast<int>(text.size()))
                    std::swap(text[at], text[at + 1]);
                break;
            case 4:
                if (!text.empty()) text[at] = static_cast<char>(text[at] ^ 0x20);
                break;
            case 5:
                text += random.Chance(50) ? " " : (random.Chance(50) ? "\t" : "\x80");
                break;
            case 6:
                text.resize(static_cast<std::size_t>(at));
                break;
            case 7:
                text.insert(0, " ");
                break;
            case 8:
                if (!text.empty()) text[at] = static_cast<char>('0' + random.Below(10));
                break;
        }
    }
    return text;
}

}  // namespace kalcore::differential
