#include "window/win32/refusal_tip.hpp"

#include <commctrl.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "window/win32/message_texts.hpp"
#include "window/win32/resource_ids.h"
#include "window/utf16.hpp"
#include "window/win32/visual_styles.hpp"
#include "window/win32/window_dpi.hpp"

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

std::size_t textLength(HWND control) { return static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)); }

// Where the control draws the boundary before the character at `offset` (UTF-16 units): its own
// answer to EM_POSFROMCHAR, whose x is 16 bits, signed. None where it gives none: Windows' control
// answers -1 for the end of the text.
std::optional<long> drawnX(HWND control, std::size_t offset) {
    const LRESULT position = SendMessageW(control, EM_POSFROMCHAR, offset, 0);
    if (position == -1) return std::nullopt;
    return static_cast<short>(LOWORD(position));
}

// Where the control draws the end of its `length` units of text: its answer where it has one,
// else the far side of the last character, one character's width beyond where it starts, away
// from the character before it (to the left where the text runs right to left).
long endX(HWND control, std::size_t length) {
    if (const auto x = drawnX(control, length)) return *x;
    if (length == 0) return 0;
    std::wstring text(length + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    const int units = length >= 2 && IS_SURROGATE_PAIR(text[length - 2], text[length - 1]) ? 2 : 1;
    const std::size_t lastStart = length - static_cast<std::size_t>(units);
    const WindowDc dc(control);
    const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.data() + lastStart, units, &size);
    const long lastX = drawnX(control, lastStart).value_or(0);
    const bool rightToLeft = lastStart > 0 && lastX < drawnX(control, lastStart - 1).value_or(lastX);
    return rightToLeft ? lastX - size.cx : lastX + size.cx;
}

// An activation context made active for a scope.
class ActiveContext {
public:
    explicit ActiveContext(HANDLE context) : active_(context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie_)) {}
    ~ActiveContext() {
        if (active_) DeactivateActCtx(0, cookie_);
    }
    ActiveContext(const ActiveContext&) = delete;
    ActiveContext& operator=(const ActiveContext&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_;
};

// The context of the common controls' version 6, from the program's resources; kept for the
// rest of the process. Without it (a program without the resource) the tip is made from the
// version the system gives, drawn in the classic style.
HANDLE commonControlsContext(HINSTANCE program) {
    static const HANDLE context = [program] {
        ACTCTXW description{};
        description.cbSize = sizeof description;
        description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
        description.hModule = program;
        description.lpResourceName = MAKEINTRESOURCEW(ZARN_COMMON_CONTROLS_MANIFEST_ID);
        return CreateActCtxW(&description);
    }();
    return context;
}

// The common controls, loaded when the first tip is made (in their context): the window needs
// them for nothing else, so the program starts without them. They stay loaded for the rest of
// the process, as tooltips made from them may live until its end.
bool commonControlsLoaded() {
    using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const bool loaded = [] {
        HMODULE library = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        const auto initialize = reinterpret_cast<InitCommonControlsExFn>(
            reinterpret_cast<void*>(library ? GetProcAddress(library, "InitCommonControlsEx") : nullptr));
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
        return initialize != nullptr && initialize(&classes) != FALSE;
    }();
    return loaded;
}

// The widest the tip's text runs before it wraps: some 60 to 70 characters of the system's font,
// as long lines read badly, and never wider than the monitor's work area, so a message longer
// in another language than in English still fits on the screen.
LPARAM tipWidth(HWND control) {
    const int readable = MulDiv(420, dpiOfWindow(control), 96);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(control, MONITOR_DEFAULTTONEAREST), &monitor)) return readable;
    return std::min<LPARAM>(readable, monitor.rcWork.right - monitor.rcWork.left);
}

}  // namespace

RefusalTip::RefusalTip(HWND control) : control_(control) {}

bool RefusalTip::made() {
    if (tooltip_ || triedToMake_) return tooltip_ != nullptr;
    triedToMake_ = true;
    const auto program = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(control_, GWLP_HINSTANCE));
    // The library and the window in the same context, so that the class is version 6's.
    const ActiveContext active(commonControlsContext(program));
    if (!commonControlsLoaded()) return false;
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, program, nullptr));
    if (!tooltip_) return false;
    wchar_t nothing[] = L"";
    TOOLINFOW tool = toolFor(control_, nothing);
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    paint();
    return true;
}

void RefusalTip::setColours(const TipColours& colours) {
    colours_ = colours;
    if (tooltip_) paint();
}

void RefusalTip::paint() {
    if (!colours_) return;
    // Visual styles go only while they would ignore the colours, and come back after.
    if (unthemed_ == colours_->themed) {
        useVisualStyles(tooltip_.get(), colours_->themed);
        unthemed_ = !colours_->themed;
    }
    SendMessageW(tooltip_.get(), TTM_SETTIPBKCOLOR, colours_->background, 0);
    SendMessageW(tooltip_.get(), TTM_SETTIPTEXTCOLOR, colours_->text, 0);
    // A tip on the screen is not drawn again in its new colours by itself.
    if (IsWindowVisible(tooltip_.get())) RedrawWindow(tooltip_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void RefusalTip::show(TipKind kind, std::string_view message, std::size_t start, std::size_t end) {
    if (!made()) return;
    hide();
    std::wstring text = utf16FromUtf8(message);
    TOOLINFOW tool = toolFor(control_, text.data());
    SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    const bool refused = kind == TipKind::Refusal;
    const MessageId titleId = refused ? MessageId::TipTitleRefused : MessageId::TipTitleCut;
    const std::wstring title = utf16FromUtf8(shownText({titleId, {}}));
    SendMessageW(tooltip_.get(), TTM_SETTITLEW, refused ? TTI_WARNING : TTI_INFO,
                 reinterpret_cast<LPARAM>(title.c_str()));
    SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, tipWidth(control_));
    POINT anchor = tipAnchor(control_, start, end);
    ClientToScreen(control_, &anchor);
    // Screen coordinates may be negative left of or above the primary monitor: each is sent
    // as its 16-bit two's complement, as the tooltip reads them back.
    SendMessageW(tooltip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(static_cast<WORD>(anchor.x), static_cast<WORD>(anchor.y)));
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
    const std::size_t length = textLength(control);
    end = std::min(end, length);
    start = std::min(start, end);
    DWORD selectionStart = 0, caret = 0;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), reinterpret_cast<LPARAM>(&caret));
    // The span's boundaries as the control draws them, from the one nearest the caret, which the
    // control keeps in view, outwards. The control's x is 16 bits, so a boundary far off view may
    // come back in view by chance; drawn boundaries follow one another, so a side is followed only
    // until it leaves the view, and no further than a view could hold.
    long left = std::numeric_limits<long>::max();
    long right = std::numeric_limits<long>::min();
    bool offLeft = false, offRight = false;
    const auto inView = [&](std::size_t offset) {
        const long x = offset == length ? endX(control, length) : drawnX(control, offset).value_or(format.left);
        offLeft = offLeft || x < format.left;
        offRight = offRight || x > format.right;
        if (x < format.left || x > format.right) return false;
        left = std::min(left, x);
        right = std::max(right, x);
        return true;
    };
    constexpr std::size_t farthest = 4096;  // boundaries asked on each side
    const std::size_t nearest = std::clamp<std::size_t>(caret, start, end);
    const bool nearestInView = inView(nearest);
    for (std::size_t offset = nearest, asked = 0; offset > start && asked < farthest; ++asked) {
        if (!inView(--offset) && (nearestInView || left <= right)) break;
    }
    for (std::size_t offset = nearest, asked = 0; offset < end && asked < farthest; ++asked) {
        if (!inView(++offset) && (nearestInView || left <= right)) break;
    }
    // Right to left text draws its first boundary on the right: the span is where it is drawn.
    if (left <= right) return {std::clamp((left + right) / 2, format.left, format.right), client.bottom};
    if (offLeft && offRight) return {(format.left + format.right) / 2, client.bottom};
    return {offRight ? format.right : format.left, client.bottom};
}

}  // namespace zarn
