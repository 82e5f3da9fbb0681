#include "window/win32/announcer.hpp"

// The GUIDs oleacc.h names (CLSID_AccPropServices, IID_IAccPropServices, PROPID_ACC_NAME) are
// defined here, so that no import library is needed for them.
#include <initguid.h>
#include <oleacc.h>
#include <uiautomationcore.h>

namespace zarn {

namespace {

// The activities UI Automation groups notifications by: a newer line supersedes an older one
// in its own group only.
constexpr const wchar_t* lineActivity = L"ZARN.Line";
constexpr const wchar_t* tipActivity = L"ZARN.Tip";

// The entries looked up by load(), besides the seam's.
using HostProviderFromHwndFn = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using SysAllocStringLenFn = BSTR(WINAPI*)(const OLECHAR*, UINT);
using SysFreeStringFn = void(WINAPI*)(BSTR);

bool uiaLoaded = false;
HostProviderFromHwndFn hostProviderFromHwnd = nullptr;
SysAllocStringLenFn sysAllocStringLen = nullptr;
SysFreeStringFn sysFreeString = nullptr;

template <typename Fn>
Fn entryOf(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

struct BstrDeleter {
    void operator()(BSTR text) const noexcept { sysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<OLECHAR, BstrDeleter>;

UniqueBstr bstrOf(std::wstring_view text) {
    return UniqueBstr(sysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

struct ProviderReleaser {
    void operator()(IRawElementProviderSimple* provider) const noexcept { provider->Release(); }
};

}  // namespace

RaiseNotificationEventFn UiaNotifications::raiseNotificationEvent = nullptr;

void UiaNotifications::load() {
    if (uiaLoaded) return;
    uiaLoaded = true;
    // Never freed: see the class comment.
    HMODULE core = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    HMODULE strings = LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    raiseNotificationEvent = entryOf<RaiseNotificationEventFn>(core, "UiaRaiseNotificationEvent");
    hostProviderFromHwnd = entryOf<HostProviderFromHwndFn>(core, "UiaHostProviderFromHwnd");
    sysAllocStringLen = entryOf<SysAllocStringLenFn>(strings, "SysAllocStringLen");
    sysFreeString = entryOf<SysFreeStringFn>(strings, "SysFreeString");
}

void UiaNotifications::raise(HWND control, int kind, int processing, std::wstring_view text,
                             const wchar_t* activityId) {
    load();
    if (!raiseNotificationEvent || !hostProviderFromHwnd || !sysAllocStringLen || !sysFreeString) return;
    IRawElementProviderSimple* raw = nullptr;
    if (FAILED(hostProviderFromHwnd(control, &raw)) || !raw) return;
    const std::unique_ptr<IRawElementProviderSimple, ProviderReleaser> provider(raw);
    const UniqueBstr display = bstrOf(text);
    const UniqueBstr activity = bstrOf(activityId);
    if (!display || !activity) return;
    raiseNotificationEvent(provider.get(), kind, processing, display.get(), activity.get());
}

void announceLine(HWND control, std::wstring_view line) {
    UiaNotifications::raise(control, notificationKindActionCompleted, notificationProcessingMostRecent, line,
                            lineActivity);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void announceTip(HWND control, TipKind kind, HWND tipWindow, std::wstring_view message) {
    UiaNotifications::raise(control, kind == TipKind::Refusal ? notificationKindActionAborted : notificationKindOther,
                            notificationProcessingAll, message, tipActivity);
    if (tipWindow) NotifyWinEvent(EVENT_SYSTEM_ALERT, tipWindow, OBJID_CLIENT, CHILDID_SELF);
}

void AccessibleName::ComReleaser::operator()(IAccPropServices* services) const noexcept { services->Release(); }

void AccessibleName::onObjectRequested() noexcept {
    if (requested_) return;
    requested_ = true;
    ole32_.reset(LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const auto initialize = entryOf<decltype(&CoInitializeEx)>(ole32_.get(), "CoInitializeEx");
    const auto create = entryOf<decltype(&CoCreateInstance)>(ole32_.get(), "CoCreateInstance");
    if (!initialize || !create) return;
    // An apartment of this thread's own unless it has one: the window's thread is a
    // single-threaded one, with the message loop COM needs.
    comEntered_ = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    IAccPropServices* services = nullptr;
    if (FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      reinterpret_cast<void**>(&services))) ||
        !services) {
        return;
    }
    services_.reset(services);
    given_ = SUCCEEDED(services_->SetHwndPropStr(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                 PROPID_ACC_NAME, name_));
}

AccessibleName::~AccessibleName() {
    if (given_) {
        const MSAAPROPID properties[] = {PROPID_ACC_NAME};
        services_->ClearHwndProps(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties, 1);
    }
    services_.reset();
    if (comEntered_) {
        if (const auto uninitialize = entryOf<decltype(&CoUninitialize)>(ole32_.get(), "CoUninitialize")) {
            uninitialize();
        }
    }
}

}  // namespace zarn
