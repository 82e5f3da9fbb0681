// zarn.state's text: what is written reads back the same, and anything else reads as nothing.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "window/kept_place.hpp"

namespace zarn {
namespace {

constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

TEST(KeptPlace, reads_back_what_it_writes_and_nothing_from_a_damaged_file) {
    const KeptPlace places[] = {
        {120, 340, 500, 96, false},
        {-1800, -20, 750, 144, true},
        {int32Min, int32Max, int32Max, int32Max, true},
    };
    for (const KeptPlace& place : places) {
        const std::string text = keptPlaceText(place);
        EXPECT_EQ(readKeptPlace(text), place) << text;
    }
    EXPECT_EQ(keptPlaceText(places[1]), "ZARN window place 1\r\nleft = -1800\r\ntop = -20\r\nwidth = 750\r\n"
                                        "dpi = 144\r\nontop = yes\r\n");
    EXPECT_EQ(readKeptPlace("ZARN window place 1\nleft = 1\ntop = 2\nwidth = 3\ndpi = 4\nontop = no\n"),
              (KeptPlace{1, 2, 3, 4, false}));  // LF alone, as an editor may leave it

    const std::string good = keptPlaceText(places[0]);
    const auto with = [&good](std::string_view from, std::string_view to) {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    const std::string damaged[] = {
        "",
        good.substr(0, good.size() - 2),  // cut short: the last line has no end
        good + "ontop = no\r\n",  // a line too many
        with("place 1", "place 2"),  // another version
        with("top = 340\r\nwidth = 500", "width = 500\r\ntop = 340"),  // out of order
        with("340", "2147483648"),  // beyond 32 bits
        with("340", "+340"),
        with("340", "3e2"),
        with("340", "nan"),
        with("width = 500", "width = 0"),
        with("width = 500", "width = -500"),
        with("dpi = 96", "dpi = 0"),
        with("ontop = no", "ontop = No"),
        std::string(1 << 20, '\xFF'),
    };
    for (const std::string& text : damaged) {
        EXPECT_EQ(readKeptPlace(text), std::nullopt) << testing::PrintToString(text.substr(0, 200));
    }
}

}  // namespace
}  // namespace zarn
