// kalcore.hpp: the dates of <kalcore/dates.h> as std::chrono values, for
// C++20. Header-only: every function is a thin inline layer over the C
// interface of the library (link with -lkalcore).
//
//   #include <kalcore.hpp>
//   if (auto d = kal::parse("Dec/31/98")) { std::chrono::year_month_day ymd = *d; ... }
//   std::string s = kal::format(std::chrono::year{1998} / 12 / 31, 'G');  // "1998-12-31"
//
// A text that is no date gives an empty optional; a wrong call (a format code
// that is none, a date outside the years 1000-9999, options out of range, or
// an output span shorter than the input) throws kal::error.
#ifndef KALCORE_HPP
#define KALCORE_HPP

#include <kalcore/dates.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kal {

// A failed call, with the library's status (KAL_E_...).
class error : public std::runtime_error {
  public:
    explicit error(int32_t status) : std::runtime_error(kal_status_text(status)), status_(status) {}
    int32_t status() const noexcept { return status_; }

  private:
    int32_t status_;
};

// How two-digit years are placed and whether keywords are read; the default
// is a 1950-2049 window without keywords.
class Options {
  public:
    Options() noexcept : raw_(kal_options KAL_OPTIONS_INIT) {}

    // Two-digit years land in [first_year, first_year + 99]; four-digit
    // years are never moved.
    static Options window(int first_year) {
        Options o;
        o.raw_.two_digit_years = KAL_YEARS_WINDOW;
        o.raw_.window_start = first_year;
        return o;
    }
    // Two-digit years take this century (19: 19YY).
    static Options century(int century) {
        Options o;
        o.raw_.two_digit_years = KAL_YEARS_CENTURY;
        o.raw_.century = century;
        return o;
    }
    // The century selector of the KD_ exports, 0-9, with its full effect.
    static Options selector(int selector) {
        Options o;
        o.raw_.two_digit_years = KAL_YEARS_SELECTOR;
        o.raw_.selector = selector;
        return o;
    }
    // Read TODAY, NOW, YESTER and YESTER0..YESTER7 (from the local clock).
    Options& keywords(bool on = true) {
        raw_.flags = on ? (raw_.flags | KAL_KEYWORDS) : (raw_.flags & ~KAL_KEYWORDS);
        return *this;
    }

    const kal_options& c_options() const noexcept { return raw_; }

  private:
    kal_options raw_;
};

// A date read from a text, with the layout it was read in.
struct Date {
    std::chrono::year_month_day ymd;
    int layout;          // a format code character, a KAL_FORM_ value or KAL_FORM_KEYWORD
    bool century_given;  // the text wrote four digits of year (or was a keyword)

    operator std::chrono::year_month_day() const noexcept { return ymd; }
    std::chrono::sys_days days() const noexcept { return std::chrono::sys_days{ymd}; }
};

namespace detail {
inline int32_t check(int32_t status) {
    if (status < 0) throw error(status);
    return status;
}
}  // namespace detail

// The date a text holds, or none.
inline std::optional<Date> parse(std::string_view text, const Options& options = {}) {
    kal_date d;
    const char* chars = text.data() != nullptr ? text.data() : "";  // an empty view may have none
    if (detail::check(kal_parse(chars, text.size(), &options.c_options(), &d)) != KAL_OK)
        return std::nullopt;
    return Date{std::chrono::year{d.year} / d.month / d.day, d.layout, d.century_given != 0};
}

// A date in the layout of a format code ('1'-'9', 'A'-'Z', '*', '#', '@',
// '&', '$', '[', ']', '{', '}', '<', '>', '+', '=').
inline std::string format(std::chrono::year_month_day date, char code) {
    char text[16];
    size_t length = 0;
    detail::check(
        kal_format(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                   static_cast<int>(unsigned(date.day())), code, text, sizeof text, &length));
    return std::string(text, length);
}

// Reads texts[i] into days[i] (days since 1970-01-01, KAL_NAT for no date)
// and, when `layouts` is not empty, each layout into layouts[i]. Returns the
// number of dates. `days` (and `layouts`, when given) must be at least as
// long as `texts`.
inline std::size_t parse_many(std::span<const std::string_view> texts, std::span<int64_t> days,
                              const Options& options = {}, std::span<uint8_t> layouts = {}) {
    if (days.size() < texts.size() || (!layouts.empty() && layouts.size() < texts.size()))
        throw error(KAL_E_SPACE);
    // The C interface takes pointers and lengths apart: passed on in chunks
    // from the stack.
    constexpr std::size_t kChunk = 256;
    const char* pointers[kChunk];
    size_t lengths[kChunk];
    std::size_t dates = 0;
    for (std::size_t start = 0; start < texts.size(); start += kChunk) {
        const std::size_t n = std::min(kChunk, texts.size() - start);
        for (std::size_t i = 0; i < n; ++i) {
            pointers[i] = texts[start + i].data() != nullptr ? texts[start + i].data() : "";
            lengths[i] = texts[start + i].size();
        }
        dates += static_cast<std::size_t>(detail::check(static_cast<int32_t>(
            kal_parse_many(pointers, lengths, n, &options.c_options(), days.data() + start,
                           layouts.empty() ? nullptr : layouts.data() + start))));
    }
    return dates;
}

}  // namespace kal

#endif  // KALCORE_HPP
