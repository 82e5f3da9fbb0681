#include "window/win32/announcer.hpp"

// The GUIDs oleacc.h names (CLSID_AccPropServices, IID_IAccPropServices, PROPID_ACC_NAME) are
// defined here, so that no import library is needed for them.
#include <initguid.h>
#include <oleacc.h>
#include <uiautomationcore.h>

#include "window/win32/system_entry.hpp"

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
    raiseNotificationEvent = systemEntry<RaiseNotificationEventFn>(L"uiautomationcore.dll", "UiaRaiseNotificationEvent");
    hostProviderFromHwnd = systemEntry<HostProviderFromHwndFn>(L"uiautomationcore.dll", "UiaHostProviderFromHwnd");
    sysAllocStringLen = systemEntry<SysAllocStringLenFn>(L"oleaut32.dll", "SysAllocStringLen");
    sysFreeString = systemEntry<SysFreeStringFn>(L"oleaut32.dll", "SysFreeString");
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

void announceTip(HWND control, LineAnnotations& annotations, TipKind kind, HWND tipWindow,
                 std::wstring_view message) {
    UiaNotifications::raise(control, kind == TipKind::Refusal ? notificationKindActionAborted : notificationKindOther,
                            notificationProcessingAll, message, tipActivity);
    if (!tipWindow) return;
    annotations.setAlertLevel(tipWindow, kind);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, tipWindow, OBJID_CLIENT, CHILDID_SELF);
}

namespace {

bool comEntered = false;  // CoInitializeEx succeeded here: CoUninitialize is owed
bool serviceTried = false;

}  // namespace

IAccPropServices* AccPropServices::service = nullptr;

IAccPropServices* AccPropServices::get() {
    if (serviceTried) return service;
    serviceTried = true;
    const auto initialize = systemEntry<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    const auto create = systemEntry<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    if (!initialize || !create) return nullptr;
    // An apartment of this thread's own unless it has one: the window's thread is a
    // single-threaded one, with the message loop COM needs.
    comEntered = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    IAccPropServices* made = nullptr;
    if (SUCCEEDED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                         reinterpret_cast<void**>(&made)))) {
        service = made;
    }
    return service;
}

void AccPropServices::release() {
    if (service) service->Release();
    service = nullptr;
    serviceTried = false;
    if (comEntered) {
        if (const auto uninitialize = systemEntry<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize")) {
            uninitialize();
        }
    }
    comEntered = false;
}

void LineAnnotations::onObjectRequested() noexcept {
    if (requested_) return;
    requested_ = true;
    if (IAccPropServices* services = AccPropServices::get()) {
        named_ = SUCCEEDED(services->SetHwndPropStr(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                    PROPID_ACC_NAME, name_));
    }
}

void LineAnnotations::setAlertLevel(HWND tipWindow, TipKind kind) noexcept {
    IAccPropServices* services = AccPropServices::get();
    if (!services) return;
    VARIANT state{};  // as VariantInit leaves it, without importing oleaut32
    state.vt = VT_I4;
    state.lVal = kind == TipKind::Refusal ? STATE_SYSTEM_ALERT_HIGH : STATE_SYSTEM_ALERT_MEDIUM;
    if (SUCCEEDED(services->SetHwndProp(tipWindow, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                        PROPID_ACC_STATE, state))) {
        alerted_ = tipWindow;
    }
}

namespace {

void clearProperty(HWND window, MSAAPROPID property) noexcept {
    AccPropServices::service->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property, 1);
}

}  // namespace

void LineAnnotations::clearAlertLevel() noexcept {
    if (alerted_ && AccPropServices::service) clearProperty(alerted_, PROPID_ACC_STATE);
    alerted_ = nullptr;
}

LineAnnotations::~LineAnnotations() {
    // The service that took the annotations goes after the message loop, so after this.
    if (!AccPropServices::service) return;
    if (named_) clearProperty(control_, PROPID_ACC_NAME);
    clearAlertLevel();
}

}  // namespace zarn
