#include "window/win32/app_mode.hpp"

#include <windows.h>
#include <inspectable.h>
#include <roapi.h>
#include <winstring.h>

#include <condition_variable>
#include <iterator>
#include <memory>
#include <mutex>
#include <thread>

#include "window/win32/system_entry.hpp"

namespace zarn {

// Windows.UI.Color: its fields in the order of the ABI.
struct WinRtColor {
    BYTE a;
    BYTE r;
    BYTE g;
    BYTE b;
};

// Windows.UI.ViewManagement.IUISettings3, which MinGW-w64 10's headers lack; only its first
// method, the one called, is declared (add_ and remove_ColorValuesChanged follow it). A COM
// object is released, never deleted, so it needs no virtual destructor. Declared with external
// linkage, as the SDK's own headers declare interfaces: in an anonymous namespace, with no class
// of this file implementing it, GCC may take the pure declaration for the only body a call can
// reach and compile the call into one of __cxa_pure_virtual, which nothing defines.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
struct IUISettings3 : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE GetColorValue(int desiredColor, WinRtColor* value) = 0;
};
#pragma GCC diagnostic pop

namespace {

constexpr IID iidUISettings3 = {0x03021be4, 0x5254, 0x4781, {0x81, 0x94, 0x51, 0x68, 0xf7, 0xd0, 0x6d, 0x7b}};
constexpr int uiColorTypeForeground = 1;

// combase.dll's entries, looked up once: null where the system lacks them.
struct Combase {
    decltype(&RoInitialize) initialize = nullptr;
    decltype(&RoUninitialize) uninitialize = nullptr;
    decltype(&WindowsCreateStringReference) stringReference = nullptr;
    decltype(&RoActivateInstance) activateInstance = nullptr;
    bool complete() const { return initialize && uninitialize && stringReference && activateInstance; }
};

// Looked up at the first query: WinRT may keep parts of combase.dll busy until the end.
const Combase& combase() {
    static const Combase entries{systemEntry<decltype(&RoInitialize)>(L"combase.dll", "RoInitialize"),
                                 systemEntry<decltype(&RoUninitialize)>(L"combase.dll", "RoUninitialize"),
                                 systemEntry<decltype(&WindowsCreateStringReference)>(
                                     L"combase.dll", "WindowsCreateStringReference"),
                                 systemEntry<decltype(&RoActivateInstance)>(L"combase.dll", "RoActivateInstance")};
    return entries;
}

struct Releaser {
    void operator()(IUnknown* object) const noexcept { object->Release(); }
};

// The foreground colour UISettings gives apps, or false when any step fails.
bool foregroundColour(const Combase& entries, WinRtColor& colour) {
    static constexpr wchar_t className[] = L"Windows.UI.ViewManagement.UISettings";
    HSTRING_HEADER header{};
    HSTRING name = nullptr;
    if (FAILED(entries.stringReference(className, static_cast<UINT32>(std::size(className) - 1), &header, &name))) {
        return false;
    }
    IInspectable* inspectable = nullptr;
    if (FAILED(entries.activateInstance(name, &inspectable)) || !inspectable) return false;
    const std::unique_ptr<IInspectable, Releaser> instance(inspectable);
    IUISettings3* raw = nullptr;
    if (FAILED(instance->QueryInterface(iidUISettings3, reinterpret_cast<void**>(&raw))) || !raw) return false;
    const std::unique_ptr<IUISettings3, Releaser> settings(raw);
    return SUCCEEDED(settings->GetColorValue(uiColorTypeForeground, &colour));
}

// The question itself, on the thread that asks it.
bool askDarkApps() {
    const Combase& entries = combase();
    if (!entries.complete()) return false;
    // A multithreaded apartment needs no window of its own, and UISettings may be used from any
    // apartment.
    if (FAILED(entries.initialize(RO_INIT_MULTITHREADED))) return false;
    WinRtColor colour{};
    const bool read = foregroundColour(entries, colour);
    entries.uninitialize();
    // A light foreground, by perceived brightness, is what Windows gives dark apps.
    return read && 5 * colour.g + 2 * colour.r + colour.b > 8 * 128;
}

// The answers, shared with the threads that ask. Never destroyed: a question may still be under
// way when the program ends, and nothing waits for it.
struct Answers {
    std::mutex mutex;
    std::condition_variable came;
    unsigned asked = 0;
    unsigned answered = 0;
    unsigned latest = 0;  // the question whose answer `dark` is: a later one wins, whatever ends first
    bool dark = false;
};

Answers& answers() {
    static Answers* const kept = new Answers;
    return *kept;
}

}  // namespace

void askIfDarkApps(HWND window) {
    Answers& shared = answers();
    unsigned question = 0;
    {
        const std::lock_guard lock(shared.mutex);
        question = ++shared.asked;
    }
    try {
        std::thread([&shared, question, window] {
            const bool dark = askDarkApps();
            {
                const std::lock_guard lock(shared.mutex);
                ++shared.answered;
                if (question > shared.latest) {
                    shared.latest = question;
                    shared.dark = dark;
                }
            }
            shared.came.notify_all();
            PostMessageW(window, appModeAnsweredMessage, 0, 0);
        }).detach();
    } catch (...) {
        const std::lock_guard lock(shared.mutex);  // no thread to ask on: the answer stays as it was
        --shared.asked;
    }
}

bool latestDarkApps(std::chrono::milliseconds patience) {
    Answers& shared = answers();
    std::unique_lock lock(shared.mutex);
    shared.came.wait_for(lock, patience, [&shared] { return shared.answered == shared.asked; });
    return shared.dark;
}

}  // namespace zarn
