// zarn.state on any bytes, and where its window opens again. readKeptPlace takes exactly the text
// an independent reading of the format accepts (the first line, the keys in order, " = ", plain
// 32-bit decimals, a positive width and resolution, "yes" or "no", CR LF or LF, at most 1024
// bytes), gives its values, and what it takes is written back to the same values. The place to
// restore, for that place and for small places checked pixel by pixel, is the kept corner exactly
// when every pixel of the title bar lies in a work area; the width at any resolution is within
// 1 and 2^31 - 1 and exact where the resolution is the kept one.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/require.hpp"
#include "window/kept_place.hpp"
#include "window/restored_place.hpp"

namespace {

using namespace zarn;
using namespace zarn::fuzzing;

// "KEY = N" with N a plain decimal within 32 bits, an optional "-" before it.
std::optional<std::int32_t> numberIn(std::string_view line, std::string_view key) {
    if (line.substr(0, key.size()) != key || line.substr(key.size(), 3) != " = ") return std::nullopt;
    std::string_view digits = line.substr(key.size() + 3);
    const bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 40);  // far past 32 bits
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<KeptPlace> readIndependently(std::string_view text) {
    if (text.size() > 1024) return std::nullopt;
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) return std::nullopt;  // a last line without its end
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    if (lines.size() != 6 || lines[0] != "ZARN window place 1") return std::nullopt;
    const auto left = numberIn(lines[1], "left"), top = numberIn(lines[2], "top");
    const auto width = numberIn(lines[3], "width"), dpi = numberIn(lines[4], "dpi");
    if (!left || !top || !width || !dpi || *width <= 0 || *dpi <= 0) return std::nullopt;
    if (lines[5] != "ontop = yes" && lines[5] != "ontop = no") return std::nullopt;
    return KeptPlace{*left, *top, *width, *dpi, lines[5] == "ontop = yes"};
}

// Whether every pixel of the title bar (the rows from the outer top plus the bottom border to the
// line, across the line) lies in some work area; only for small places.
bool everyPixelHeld(const KeptPlace& kept, const ScreenRect& frame, const std::vector<ScreenRect>& areas) {
    const std::int64_t left = std::int64_t{kept.left} - frame.left, right = left + kept.clientWidth;
    const std::int64_t top = std::int64_t{kept.top} + frame.bottom, bottom = std::int64_t{kept.top} - frame.top;
    if (left >= right || top >= bottom) return false;
    for (std::int64_t y = top; y < bottom; ++y) {
        for (std::int64_t x = left; x < right; ++x) {
            const auto holds = [x, y](const ScreenRect& a) { return x >= a.left && x < a.right && y >= a.top && y < a.bottom; };
            if (std::none_of(areas.begin(), areas.end(), holds)) return false;
        }
    }
    return true;
}

void checkWidth(std::string_view input, const KeptPlace& kept, std::int32_t dpi) {
    const std::int32_t width = clientWidthAt(kept, dpi);
    require(width >= 1, "a width below 1", input, std::to_string(width));
    if (dpi == kept.dpi && kept.clientWidth > 0) {
        require(width == kept.clientWidth, "the width changes at the kept resolution", input, std::to_string(width));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    constexpr ScreenRect frame{-8, -31, 8, 8};
    if (data[0] % 2 == 0) {
        // The text: as the independent reading says, and written back to the same place.
        const std::optional<KeptPlace> read = readKeptPlace(input);
        require(read == readIndependently(input), "readKeptPlace differs from the independent reading", input);
        if (!read) return 0;
        require(readKeptPlace(keptPlaceText(*read)) == read, "a place does not read back as written", input);
        const std::vector<ScreenRect> areas{{0, 0, 1920, 1040}, {-1280, 0, 0, 984}};
        const std::optional<ScreenPoint> place = placeToRestore(*read, frame, areas);
        require(!place || *place == ScreenPoint{read->left, read->top}, "a place other than the kept one", input);
        for (const std::int32_t dpi : {96, 144, 1, std::numeric_limits<std::int32_t>::max()}) checkWidth(input, *read, dpi);
        return 0;
    }
    // Small places and work areas from the bytes, signed, held to a check of every pixel.
    const auto small = [&input](std::size_t i) { return i < input.size() ? static_cast<std::int8_t>(input[i]) : 0; };
    const KeptPlace kept{small(0), small(1), std::max<std::int32_t>(small(2), 1), 96, false};
    std::vector<ScreenRect> areas;
    for (std::size_t i = 3; i + 4 <= input.size() && areas.size() < 6; i += 4) {
        areas.push_back({small(i), small(i + 1), small(i + 2), small(i + 3)});
    }
    const ScreenRect smallFrame{-(small(3) & 7), -(small(4) & 31), small(5) & 7, small(6) & 7};
    const bool held = placeToRestore(kept, smallFrame, areas).has_value();
    require(held == everyPixelHeld(kept, smallFrame, areas), "the title bar's cover differs from a pixel count", input,
            held ? "held" : "not held");
    checkWidth(input, kept, small(7));
    return 0;
}
