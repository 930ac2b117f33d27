// The C++20 layer of kalcore.hpp over the kal_ interface.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <kalcore.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::chrono;

TEST(CppLayerTest, ParseAndFormat) {
    const auto d = kal::parse("  Dec/31/49 ");
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->ymd, year{2049} / 12 / 31);
    EXPECT_EQ(d->layout, 'L');
    EXPECT_FALSE(d->century_given);
    EXPECT_EQ(d->days(), sys_days{year{2049} / 12 / 31});
    const year_month_day ymd = *kal::parse("12/31/98", kal::Options::century(17));
    EXPECT_EQ(ymd, year{1798} / 12 / 31);
    EXPECT_EQ(kal::parse("2005-06-01", kal::Options::selector(4))->ymd, year{1905} / 6 / 1);
    EXPECT_FALSE(kal::parse("12/31/1998 10:30"));
    EXPECT_FALSE(kal::parse("TODAY"));
    EXPECT_TRUE(kal::parse("TODAY", kal::Options{}.keywords()));
    EXPECT_EQ(kal::format(year{2003} / 5 / 12, '@'), "5-12-2003");
    EXPECT_EQ(kal::format(year{1998} / 7 / 4, '6'), "04-Jul-98  ");
}

// Wrong calls throw with the library's status; no date is no exception.
TEST(CppLayerTest, Errors) {
    const auto status = [](auto call) {
        try {
            call();
        } catch (const kal::error& e) {
            return e.status();
        }
        return 0;
    };
    EXPECT_EQ(status([] { kal::format(year{1998} / 2 / 30, 'B'); }), KAL_E_RANGE);
    EXPECT_EQ(status([] { kal::format(year{999} / 1 / 1, 'B'); }), KAL_E_RANGE);
    EXPECT_EQ(status([] { kal::format(year{1998} / 1 / 1, '0'); }), KAL_E_CODE);
    EXPECT_EQ(status([] { kal::parse("1/1/98", kal::Options::window(1)); }), KAL_E_OPTIONS);
    std::array<std::string_view, 2> texts{"1/1/98", "x"};
    std::array<int64_t, 1> days{};
    EXPECT_EQ(status([&] { kal::parse_many(texts, days); }), KAL_E_SPACE);
}

// More texts than one chunk of the layer, default (null) views among them.
TEST(CppLayerTest, ParseManyAcrossChunks) {
    std::vector<std::string> owned;
    for (int i = 0; i < 700; ++i)
        owned.push_back(
            i % 7 == 0
                ? "junk"
                : kal::format(year_month_day{sys_days{year{1950 + i % 100} / 1 / 1} + days{i}},
                              'C'));
    std::vector<std::string_view> texts(owned.begin(), owned.end());
    texts[5] = std::string_view{};
    std::vector<int64_t> out(texts.size());
    std::vector<uint8_t> layouts(texts.size());
    std::size_t want = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) want += kal::parse(texts[i]).has_value();
    EXPECT_EQ(kal::parse_many(texts, out, kal::Options::window(1950), layouts), want);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto one = kal::parse(texts[i]);
        EXPECT_EQ(out[i], one ? one->days().time_since_epoch().count() : KAL_NAT) << i;
        EXPECT_EQ(layouts[i], one ? one->layout : 0) << i;
    }
}

}  // namespace
