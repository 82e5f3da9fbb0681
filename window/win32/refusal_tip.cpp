#include "window/win32/refusal_tip.hpp"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "window/win32/utf16.hpp"

namespace zarn {

namespace {

// The tool the tip shows: the input line itself, placed by hand (tracked, at absolute
// coordinates). The version 2 size is the one every version of the common controls accepts.
TOOLINFOW toolFor(HWND control, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = control;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    return tool;
}

std::wstring controlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    const auto copied =
        static_cast<std::size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, text.size() - 1));
    return text;
}

// The width of `text` in the control's font, in pixels.
long textWidth(HWND control, std::wstring_view text) {
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

}  // namespace

RefusalTip::RefusalTip(HWND control) : control_(control) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    // Owned by the top-level window, so the system hides it with a minimised window and
    // destroys it with a destroyed one, whatever else happens.
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(control, GA_ROOT),
                                   nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(control, GWLP_HINSTANCE)),
                                   nullptr));
    if (!tooltip_) return;
    wchar_t nothing[] = L"";
    TOOLINFOW tool = toolFor(control_, nothing);
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RefusalTip::show(TipKind kind, std::string_view message, std::size_t start, std::size_t end) {
    if (!tooltip_) return;
    hide();
    std::wstring text = utf16FromUtf8(message);
    TOOLINFOW tool = toolFor(control_, text.data());
    SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    const bool refused = kind == TipKind::Refusal;
    SendMessageW(tooltip_.get(), TTM_SETTITLEW, refused ? TTI_WARNING : TTI_INFO,
                 reinterpret_cast<LPARAM>(refused ? L"Not evaluated" : L"Line cut"));
    POINT anchor = tipAnchor(control_, start, end);
    ClientToScreen(control_, &anchor);
    // Screen coordinates may be negative left of or above the primary monitor: each is sent
    // as its 16-bit two's complement, as the tooltip reads them back.
    SendMessageW(tooltip_.get(), TTM_TRACKPOSITION, 0,
                 MAKELPARAM(static_cast<WORD>(anchor.x), static_cast<WORD>(anchor.y)));
    SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void RefusalTip::hide() const {
    if (!tooltip_ || !IsWindowVisible(tooltip_.get())) return;
    TOOLINFOW tool = toolFor(control_, nullptr);
    SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

POINT tipAnchor(HWND control, std::size_t start, std::size_t end) {
    RECT format{};
    SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    RECT client{};
    GetClientRect(control, &client);
    const std::wstring text = controlText(control);
    // A single-line control answers with the first character in view.
    const auto first = std::min(static_cast<std::size_t>(SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0)),
                                text.size());
    // The offset's x, measured from the first character in view rather than asked of the
    // control: its answer packs x into 16 bits, which a long line scrolled far overflows.
    const auto xOf = [&](std::size_t offset) {
        const std::size_t to = std::min(offset, text.size());
        if (to <= first) return format.left;
        const long width = textWidth(control, std::wstring_view(text).substr(first, to - first));
        return std::min(format.left + width, format.right);
    };
    return {(xOf(start) + xOf(std::max(start, end))) / 2, client.bottom};
}

}  // namespace zarn
