#pragma once
// What the window keeps between runs when zarn.ini says "remember = yes": its place, the line's
// width, the resolution they were measured at and whether it was on top; and the text of the
// file "zarn.state" that holds them. Pure logic.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarn {

inline constexpr std::string_view keptPlaceFileName = "zarn.state";

// The most bytes of a zarn.state that are read: the file ZARN writes is about 80. A longer file
// is not one of ZARN's and is never read whole, whatever its size.
inline constexpr std::size_t longestKeptPlaceText = 1024;

struct KeptPlace {
    std::int32_t left = 0;         // the window's outer top-left corner on the screen, in pixels
    std::int32_t top = 0;
    std::int32_t clientWidth = 0;  // the line's width in pixels at `dpi`; more than 0
    std::int32_t dpi = 0;          // the resolution of the window's monitor; more than 0
    bool onTop = false;
    bool operator==(const KeptPlace&) const = default;
};

// The file's text: a first line naming the format and its version, then one "key = value" line
// for each field, in the order above, each ending in CR LF.
std::string keptPlaceText(const KeptPlace& place);

// The place a zarn.state holds, or nothing when the text is not one keptPlaceText writes: another
// version, a missing or repeated line, a number that is not a plain decimal in 32 bits, a width
// or resolution of 0 or less, more than longestKeptPlaceText bytes, or anything else. Lines may
// end in CR LF or LF. Never throws.
std::optional<KeptPlace> readKeptPlace(std::string_view text) noexcept;

}  // namespace zarn
