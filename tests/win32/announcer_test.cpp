// What the input line tells screen readers, under Wine: the accessibility events a hook in
// this process receives, read back as a screen reader reads them, and the UI Automation
// notifications, through the seam pointed at a recorder (Wine 8 has no
// UiaRaiseNotificationEvent of its own).

#include <initguid.h>
#include <oleacc.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/win32/acc_prop_services_base.hpp"
#include "tests/win32/main_window_fixture.hpp"
#include "tests/win32/visible_tip.hpp"
#include "window/keystroke.hpp"
#include "window/win32/announcer.hpp"
#include "window/win32/message_texts.hpp"

namespace zarn::testing {
namespace {

// One announcement as it reached a client: the line, or the words of the tip.
struct Heard {
    enum class Kind { Line, Tip, Other } kind;
    std::string text;
    bool operator==(const Heard&) const = default;
};

void PrintTo(const Heard& heard, std::ostream* out) {
    const char* kinds[] = {"line", "tip", "other"};
    *out << kinds[static_cast<int>(heard.kind)] << " \"" << heard.text << '"';
}

std::string utf8Of(BSTR text) { return text ? utf8FromUtf16(std::wstring(text, SysStringLen(text))) : ""; }

// What the hook receives, read as a screen reader reads it: the value change of the input
// line's client (an editable text, role 42) with its value, and the alert of the tip shown
// with its name.
std::vector<Heard> heardEvents;
HWND hookedLine = nullptr;
HWND hookedWindow = nullptr;

void CALLBACK onWinEvent(HWINEVENTHOOK, DWORD event, HWND source, LONG object, LONG child, DWORD, DWORD) {
    if (event != EVENT_OBJECT_VALUECHANGE && event != EVENT_SYSTEM_ALERT) return;
    IAccessible* accessible = nullptr;
    VARIANT self;
    VARIANT role;
    VariantInit(&role);
    BSTR text = nullptr;
    if (SUCCEEDED(AccessibleObjectFromEvent(source, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                            &accessible, &self))) {
        accessible->get_accRole(self, &role);
        event == EVENT_OBJECT_VALUECHANGE ? accessible->get_accValue(self, &text) : accessible->get_accName(self, &text);
        accessible->Release();
    }
    const bool line = event == EVENT_OBJECT_VALUECHANGE && source == hookedLine && role.vt == VT_I4 &&
                      role.lVal == ROLE_SYSTEM_TEXT;
    const bool tip = event == EVENT_SYSTEM_ALERT && source == visibleTipOf(hookedWindow);
    heardEvents.push_back({line ? Heard::Kind::Line : tip ? Heard::Kind::Tip : Heard::Kind::Other, utf8Of(text)});
    SysFreeString(text);
    VariantClear(&role);
}

// What the UI Automation path raises, in place of UiaRaiseNotificationEvent: a line is
// processed "most recent", a tip "all".
std::vector<Heard> notifications;

HRESULT WINAPI recordNotification(IRawElementProviderSimple* provider, int, int processing, BSTR displayString,
                                  BSTR activityId) {
    const bool whole = provider && SysStringLen(activityId) > 0;
    const Heard::Kind kind = !whole                                            ? Heard::Kind::Other
                             : processing == notificationProcessingMostRecent ? Heard::Kind::Line
                             : processing == notificationProcessingAll        ? Heard::Kind::Tip
                                                                               : Heard::Kind::Other;
    notifications.push_back({kind, utf8Of(displayString)});
    return S_OK;
}

// What the annotation service is told, in place of oleacc's (Wine 8's implements none of it):
// each alert level set on a tip.
std::vector<LONG> alertLevels;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"  // released, never deleted
struct RecordingAccPropServices : AccPropServicesBase {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetHwndProp(HWND, DWORD object, DWORD child, MSAAPROPID property,
                                          VARIANT value) override {
        if (object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF && property == PROPID_ACC_STATE &&
            value.vt == VT_I4) {
            alertLevels.push_back(value.lVal);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND, DWORD, DWORD, MSAAPROPID, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID*, int) override { return S_OK; }
};
#pragma GCC diagnostic pop

class AnnouncerTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        UiaNotifications::load();
        systemEntry = UiaNotifications::raiseNotificationEvent;
        UiaNotifications::raiseNotificationEvent = recordNotification;
        if (IAccPropServices* made = AccPropServices::get()) made->Release();  // the stand-in takes its place
        AccPropServices::service = &recordingServices;
        hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_VALUECHANGE, nullptr, onWinEvent,
                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
    }

    void TearDown() override {
        UnhookWinEvent(hook);
        UiaNotifications::raiseNotificationEvent = systemEntry;
        MainWindowTest::TearDown();
        AccPropServices::release();
        CoUninitialize();
    }

    // The hook's events reach this thread through its message queue.
    static void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    HWINEVENTHOOK hook = nullptr;
    RaiseNotificationEventFn systemEntry = nullptr;
    RecordingAccPropServices recordingServices;
};

// Each key that changes the line announces the new line once; a refusal or a cut announces
// its tip's words, the tip at the alert level of a refusal or a cut; a key that changes nothing
// announces nothing.
TEST_F(AnnouncerTest, a_changed_line_its_tip_or_nothing_is_announced_through_msaa_and_ui_automation) {
    struct AnnouncementCase {
        const char* name;
        const char* before;          // the line, the caret at its end
        std::vector<unsigned> keys;  // typed in turn: what the last one announces is checked
        bool shift;                  // Shift held for the last key
        std::optional<std::string> line;  // the line announced
        LONG tipAlert;  // the tip of the last key announced in the logic's words, at this alert level
    };
    constexpr LONG noTip = 0, refusal = STATE_SYSTEM_ALERT_HIGH, cut = STATE_SYSTEM_ALERT_MEDIUM;
    const AnnouncementCase cases[] = {
        // First, while the window's history holds nothing but the empty line it opened with.
        {"an undo with nothing to undo", "", {0x1A}, false, std::nullopt, noTip},
        {"an operator", "1 2", {'+'}, false, "3 ", noTip},
        {"decimals", "(1/4)", {'\r'}, true, "0.25 ", noTip},
        {"clearing", "12 34", {'\b'}, true, "", noTip},
        {"a refused number", "(1/0)", {' '}, false, std::nullopt, refusal},
        {"a refused operator", "9223372036854775807 1", {'+'}, false, std::nullopt, refusal},
        {"a cut", "1 0", {'/'}, false, "1 ", cut},
        {"an undo", "1 2", {'+', 0x1A}, false, "1 2", noTip},
        {"a space after a result: nothing changed", "3 ", {' '}, false, std::nullopt, noTip},
        {"clearing an empty line: nothing changed", "", {'\b'}, true, std::nullopt, noTip},
        {"a digit, the control's own", "12", {'7'}, false, std::nullopt, noTip},
    };
    create();
    hookedLine = line;
    hookedWindow = window;
    for (const AnnouncementCase& c : cases) {
        SCOPED_TRACE(c.name);
        setLine(c.before, std::strlen(c.before), std::strlen(c.before));
        for (std::size_t i = 0; i + 1 < c.keys.size(); ++i) type(c.keys[i]);
        const LineState before = readLine();
        const KeystrokeAnswer answer =
            answerKeystroke(before.text, before.start, before.end, c.keys.back(), c.shift);
        pump();
        heardEvents.clear();
        notifications.clear();
        alertLevels.clear();

        type(c.keys.back(), c.shift);
        pump();

        std::vector<Heard> expected;
        if (c.line) expected.push_back({Heard::Kind::Line, *c.line});
        if (c.tipAlert != noTip) {
            ASSERT_TRUE(answer.tip.has_value());
            expected.push_back({Heard::Kind::Tip, shownText(answer.tip->message)});
        }
        EXPECT_EQ(heardEvents, expected);
        EXPECT_EQ(notifications, expected);
        EXPECT_EQ(alertLevels, c.tipAlert == noTip ? std::vector<LONG>{} : std::vector<LONG>{c.tipAlert});
    }
}

// COM is entered for the window's thread when first needed and left after the message loop, not
// inside the line's destruction, where leaving it could pump messages into a window half gone.
TEST_F(MainWindowTest, com_entered_for_the_line_is_left_after_the_window_not_with_it) {
    create();
    SendMessageW(line, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    DestroyWindow(window);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE) << "COM left with the window";
    CoUninitialize();
    AccPropServices::release();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK) << "COM still entered after release()";
    CoUninitialize();
}

}  // namespace
}  // namespace zarn::testing
