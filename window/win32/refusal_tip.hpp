#pragma once
// A balloon tip below the input line that says why a line was refused, or where it was cut,
// pointing at the token concerned. It is a tracking tooltip control: a top-level window of its
// own, whose window text is the message, destroyed with this object alone. No window owns it:
// Wine will not put a window on top while a topmost window it owns is above it, and the main
// window must be able to go on top. Whoever minimises or moves the line's window hides the tip.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string_view>

#include "window/win32/handles.hpp"

namespace zarn {

enum class TipKind {
    Refusal,  // the line was kept as it was: a warning
    Cut,      // the line was evaluated but cut short: for information
};

// The tip's colours. Visual styles ignore them: `themed` false turns the styles off for the tip.
struct TipColours {
    COLORREF background;
    COLORREF text;
    bool themed;
};

class RefusalTip {
public:
    // The tip for `control`. Its window, and the common controls it comes from, are made when it
    // is first shown; should the system refuse them, showing does nothing and the line works on.
    explicit RefusalTip(HWND control);

    // Shows the UTF-8 `message` below the line, pointing at [start, end) of the control's text
    // in UTF-16 units (tipAnchor). A tip already shown is replaced.
    void show(TipKind kind, std::string_view message, std::size_t start, std::size_t end);
    void hide() const;
    // Gives the tip these colours, now if it is made, else when it is.
    void setColours(const TipColours& colours);
    HWND window() const { return tooltip_.get(); }  // null until first shown

private:
    bool made();  // makes the window once; whether there is one
    void paint();  // gives the window the colours set

    HWND control_;
    UniqueWindow tooltip_;
    bool triedToMake_ = false;
    std::optional<TipColours> colours_;
    bool unthemed_ = false;  // its visual styles turned off
};

// The point, in the control's client coordinates, at which a tip for the text [start, end)
// (UTF-16 units) points: the bottom of the line, below the middle of the part of the span in
// view, as the control draws it (in any script, right to left included), however long the line.
// A span scrolled out of view gives the nearest visible edge.
POINT tipAnchor(HWND control, std::size_t start, std::size_t end);

}  // namespace zarn
