#include "window/win32/system_appearance.hpp"

#include "window/win32/app_mode.hpp"
#include "window/win32/system_entry.hpp"

namespace zarn {

namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE, which MinGW-w64 10's dwmapi.h lacks: 20 from Windows 10 build
// 18985, 19 on the builds from 17763 before it; none earlier.
constexpr DWORD darkModeAttribute = 20;
constexpr DWORD darkModeAttributeBefore18985 = 19;

// Whether Windows' build is at least `build`: true to the system since zarn.exe's manifest names
// Windows 10 (a program without one is told Windows 8's build, 9200).
bool buildAtLeast(DWORD build) {
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwBuildNumber = build;
    return VerifyVersionInfoW(&version, VER_BUILDNUMBER, VerSetConditionMask(0, VER_BUILDNUMBER, VER_GREATER_EQUAL)) !=
           FALSE;
}

class TheSystem final : public SystemAppearance {
public:
    void askDarkApps(HWND window) override { askIfDarkApps(window); }
    bool darkApps(std::chrono::milliseconds patience) override { return latestDarkApps(patience); }

    bool highContrast() override {
        HIGHCONTRASTW contrast{};
        contrast.cbSize = sizeof contrast;
        return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
               (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    }

    Rgb colour(int index) override {
        const COLORREF colour = GetSysColor(index);
        return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    }

    void setDarkTitleBar(HWND window, bool dark) override {
        static const DWORD attribute = buildAtLeast(18985) ? darkModeAttribute
                                       : buildAtLeast(17763) ? darkModeAttributeBefore18985
                                                             : 0;
        // dwmapi.dll is loaded when a title bar is first made dark.
        using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
        static const auto setAttribute = systemEntry<SetAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute");
        const BOOL value = dark ? TRUE : FALSE;
        if (attribute != 0 && setAttribute) setAttribute(window, attribute, &value, sizeof value);
    }
};

TheSystem theSystem;
SystemAppearance* current = &theSystem;

}  // namespace

SystemAppearance& systemAppearance() { return *current; }

void standInForSystemAppearance(SystemAppearance* standIn) { current = standIn ? standIn : &theSystem; }

}  // namespace zarn
