// Stand-ins for the parts of Windows 10 and 11 that Wine 8 lacks, so that the code ZARN runs only
// where Windows answers runs in the tests too. Built into four DLLs named as the system's own
// (combase, dwmapi, oleacc, uiautomationcore); each exports what it answers here and forwards
// every other export to Wine's own DLL, copied beside it as <name>_wine.dll. They answer as
// Windows documents, from the documented ABI alone, and write each call to the file named by
// ZARN_STAND_IN_LOG (one UTF-8 line a call), where a test reads it:
// - combase: RoActivateInstance makes Windows.UI.ViewManagement.UISettings, whose IUISettings3
//   gives a white foreground while HKCU\...\Themes\Personalize's AppsUseLightTheme is 0, as
//   Windows does for dark apps, and a black one otherwise.
// - dwmapi: DwmSetWindowAttribute is recorded, then Wine's is called.
// - oleacc: CLSID_AccPropServices makes an annotation service that takes every annotation.
// - uiautomationcore: UiaRaiseNotificationEvent, which Wine 8 lacks, is recorded.
#include <windows.h>
#include <inspectable.h>
#include <oleacc.h>
#include <winstring.h>

#include <atomic>
#include <cwchar>
#include <string>

#include "tests/win32/acc_prop_services_base.hpp"

namespace {

// An entry of the real DLL behind a stand-in, loaded when first needed.
template <typename Fn>
Fn wineEntry(const wchar_t* dll, const char* name) {
    const HMODULE module = LoadLibraryW(dll);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

std::wstring className(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

void record(const std::wstring& line) {
    wchar_t path[MAX_PATH];
    if (GetEnvironmentVariableW(L"ZARN_STAND_IN_LOG", path, MAX_PATH) - 1 >= MAX_PATH - 1) return;
    const std::wstring text = line + L"\n";
    char utf8[4096];
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8,
                                           sizeof utf8, nullptr, nullptr);
    const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, utf8, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
}

// A COM object's reference count and IUnknown, for the one interface `Interface` it has besides
// those listed in `also`.
template <typename Interface>
class Counted : public Interface {
public:
    explicit Counted(const IID& iid, const IID& also = IID_IUnknown) : iid_(iid), also_(also) {}
    virtual ~Counted() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, iid_) && !IsEqualIID(iid, also_)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --count_;
        if (left == 0) delete this;
        return left;
    }

private:
    const IID iid_;
    const IID also_;
    std::atomic<ULONG> count_{1};
};

// --- combase: Windows.UI.ViewManagement.UISettings with IUISettings3 as documented.
struct Color {
    BYTE a, r, g, b;
};
constexpr IID iidInspectable = {0xaf86e2e0, 0xb12d, 0x4c6a, {0x9c, 0x5a, 0xd7, 0xaa, 0x65, 0x10, 0x1e, 0x90}};
constexpr IID iidUISettings3 = {0x03021be4, 0x5254, 0x4781, {0x81, 0x94, 0x51, 0x68, 0xf7, 0xd0, 0x6d, 0x7b}};

struct IUISettings3 : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE GetColorValue(int desiredColor, Color* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_ColorValuesChanged(IUnknown* handler, INT64* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_ColorValuesChanged(INT64 token) = 0;
};

bool appsUseDarkTheme() {
    DWORD light = 1;
    DWORD size = sizeof light;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                 L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return light == 0;
}

class UISettings final : public Counted<IUISettings3> {
public:
    UISettings() : Counted(iidUISettings3, iidInspectable) {}
    HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) override {
        *count = 0;
        *iids = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* name) override {
        *name = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override {
        *level = BaseTrust;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetColorValue(int desiredColor, Color* value) override {
        // UIColorType: Background 0, Foreground 1; dark apps have a white foreground on black.
        const bool white = appsUseDarkTheme() == (desiredColor == 1);
        const BYTE level = white ? 255 : 0;
        *value = {255, level, level, level};
        record(L"GetColorValue " + std::to_wstring(desiredColor) + (white ? L" white" : L" black"));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE add_ColorValuesChanged(IUnknown*, INT64* token) override {
        *token = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE remove_ColorValuesChanged(INT64) override { return E_NOTIMPL; }
};

// --- oleacc: an annotation service that takes every annotation of a window and records it.
std::wstring propertyName(const MSAAPROPID& property) {
    if (IsEqualGUID(property, PROPID_ACC_NAME)) return L"name";
    if (IsEqualGUID(property, PROPID_ACC_STATE)) return L"state";
    return L"other";
}

class AccPropServices final : public Counted<AccPropServicesBase> {
public:
    AccPropServices() : Counted(IID_IAccPropServices) {}
    HRESULT STDMETHODCALLTYPE SetHwndProp(HWND window, DWORD, DWORD, MSAAPROPID property, VARIANT value) override {
        record(L"SetHwndProp " + className(window) + L" " + propertyName(property) + L" " +
               std::to_wstring(value.vt == VT_I4 ? value.lVal : -1));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND window, DWORD, DWORD, MSAAPROPID property,
                                             LPCWSTR text) override {
        record(L"SetHwndPropStr " + className(window) + L" " + propertyName(property) + L" " + text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND window, DWORD, DWORD, const MSAAPROPID* properties,
                                             int count) override {
        for (int i = 0; i < count; ++i) record(L"ClearHwndProps " + className(window) + L" " + propertyName(properties[i]));
        return S_OK;
    }
};

class AccPropServicesFactory final : public Counted<IClassFactory> {
public:
    AccPropServicesFactory() : Counted(IID_IClassFactory) {}
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        AccPropServices* made = new AccPropServices;
        const HRESULT result = made->QueryInterface(iid, object);
        made->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

}  // namespace

// --- The exports each DLL answers itself (its .def file names them).
extern "C" {

HRESULT WINAPI standInRoActivateInstance(HSTRING classId, IInspectable** instance) {
    using RawBufferFn = PCWSTR(WINAPI*)(HSTRING, UINT32*);
    static const auto rawBuffer =
        wineEntry<RawBufferFn>(L"combase_wine.dll", "WindowsGetStringRawBuffer");
    const wchar_t* name = rawBuffer ? rawBuffer(classId, nullptr) : nullptr;
    if (name && std::wcscmp(name, L"Windows.UI.ViewManagement.UISettings") == 0) {
        record(L"RoActivateInstance Windows.UI.ViewManagement.UISettings");
        *instance = new UISettings;
        return S_OK;
    }
    using ActivateFn = HRESULT(WINAPI*)(HSTRING, IInspectable**);
    static const auto activate = wineEntry<ActivateFn>(L"combase_wine.dll", "RoActivateInstance");
    return activate ? activate(classId, instance) : E_NOTIMPL;
}

HRESULT WINAPI standInDwmSetWindowAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size) {
    const DWORD shown = size == sizeof(DWORD) && value ? *static_cast<const DWORD*>(value) : 0;
    record(L"DwmSetWindowAttribute " + className(window) + L" " + std::to_wstring(attribute) + L" " +
           std::to_wstring(shown));
    using SetFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const auto set = wineEntry<SetFn>(L"dwmapi_wine.dll", "DwmSetWindowAttribute");
    return set ? set(window, attribute, value, size) : S_OK;
}

HRESULT WINAPI standInDllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
    if (IsEqualCLSID(classId, CLSID_AccPropServices)) {
        AccPropServicesFactory* factory = new AccPropServicesFactory;
        const HRESULT result = factory->QueryInterface(iid, object);
        factory->Release();
        return result;
    }
    using GetFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    static const auto get = wineEntry<GetFn>(L"oleacc_wine.dll", "DllGetClassObject");
    return get ? get(classId, iid, object) : CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT WINAPI standInUiaRaiseNotificationEvent(IUnknown*, int kind, int processing, BSTR text, BSTR activity) {
    record(L"UiaRaiseNotificationEvent " + std::to_wstring(kind) + L" " + std::to_wstring(processing) + L" " +
           (activity ? activity : L"") + L" " + (text ? text : L""));
    return S_OK;
}

}  // extern "C"
