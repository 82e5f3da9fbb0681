#include "window/win32/clipboard_text.hpp"

#include <algorithm>
#include <chrono>

namespace zarn {

namespace {

// Another program may hold the clipboard open for a moment (as clipboard viewers do after each
// change): it is asked again, with short waits, up to this long.
constexpr auto clipboardPatience = std::chrono::milliseconds(15);

bool openClipboardWithin(HWND owner) {
    const auto deadline = std::chrono::steady_clock::now() + clipboardPatience;
    while (!OpenClipboard(owner)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Sleep(2);
    }
    return true;
}

// The clipboard, open for the scope: no other program can change or read it meanwhile.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(openClipboardWithin(owner)) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_;
};

// Global memory locked for the scope: its address is valid until then.
class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    ~LockedMemory() {
        if (data_) GlobalUnlock(memory_);
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;
    const void* data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

std::optional<std::wstring> clipboardText(HWND owner) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard.isOpen()) throw ClipboardBusy();
    const auto memory = static_cast<HGLOBAL>(GetClipboardData(CF_UNICODETEXT));
    if (!memory) return std::nullopt;
    const LockedMemory locked(memory);
    if (!locked.data()) return std::nullopt;
    // The text ends at its zero unit, or else where the memory does: a program may have put it
    // there without one.
    const auto* text = static_cast<const wchar_t*>(locked.data());
    const std::size_t units = GlobalSize(memory) / sizeof(wchar_t);
    return std::wstring(text, std::find(text, text + units, L'\0'));
}

bool putClipboardText(HWND owner, std::wstring_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* data = GlobalLock(memory)) {
        *std::copy(text.begin(), text.end(), static_cast<wchar_t*>(data)) = L'\0';
        GlobalUnlock(memory);
        const OpenedClipboard clipboard(owner);
        // Once set, the memory is the system's; until then it is ours to free.
        if (clipboard.isOpen() && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory)) return true;
    }
    GlobalFree(memory);
    return false;
}

}  // namespace zarn
