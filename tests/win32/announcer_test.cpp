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

#include "tests/win32/main_window_fixture.hpp"
#include "tests/win32/visible_tip.hpp"
#include "window/keystroke.hpp"
#include "window/win32/announcer.hpp"

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

class AnnouncerTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        UiaNotifications::load();
        systemEntry = UiaNotifications::raiseNotificationEvent;
        UiaNotifications::raiseNotificationEvent = recordNotification;
        hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_VALUECHANGE, nullptr, onWinEvent,
                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
    }

    void TearDown() override {
        UnhookWinEvent(hook);
        UiaNotifications::raiseNotificationEvent = systemEntry;
        MainWindowTest::TearDown();
        CoUninitialize();
    }

    // The hook's events reach this thread through its message queue.
    static void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    HWINEVENTHOOK hook = nullptr;
    RaiseNotificationEventFn systemEntry = nullptr;
};

// Each key that changes the line announces the new line once; a refusal or a cut announces
// its tip's words; a key that changes nothing announces nothing.
TEST_F(AnnouncerTest, a_changed_line_its_tip_or_nothing_is_announced_through_msaa_and_ui_automation) {
    struct AnnouncementCase {
        const char* name;
        const char* before;          // the line, the caret at its end
        std::vector<unsigned> keys;  // typed in turn: what the last one announces is checked
        bool shift;                  // Shift held for the last key
        std::optional<std::string> line;  // the line announced
        bool tip;                    // the tip of the last key announced, in the logic's words
    };
    const AnnouncementCase cases[] = {
        // First, while the window's history holds nothing but the empty line it opened with.
        {"an undo with nothing to undo", "", {0x1A}, false, std::nullopt, false},
        {"an operator", "1 2", {'+'}, false, "3 ", false},
        {"decimals", "(1/4)", {'\r'}, true, "0.25 ", false},
        {"clearing", "12 34", {'\b'}, true, "", false},
        {"a refused number", "(1/0)", {' '}, false, std::nullopt, true},
        {"a refused operator", "9223372036854775807 1", {'+'}, false, std::nullopt, true},
        {"a cut", "1 0", {'/'}, false, "1 ", true},
        {"an undo", "1 2", {'+', 0x1A}, false, "1 2", false},
        {"a space after a result: nothing changed", "3 ", {' '}, false, std::nullopt, false},
        {"clearing an empty line: nothing changed", "", {'\b'}, true, std::nullopt, false},
        {"a digit, the control's own", "12", {'7'}, false, std::nullopt, false},
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

        type(c.keys.back(), c.shift);
        pump();

        std::vector<Heard> expected;
        if (c.line) expected.push_back({Heard::Kind::Line, *c.line});
        if (c.tip) {
            ASSERT_TRUE(answer.tip.has_value());
            expected.push_back({Heard::Kind::Tip, answer.tip->message});
        }
        EXPECT_EQ(heardEvents, expected);
        EXPECT_EQ(notifications, expected);
    }
}

}  // namespace
}  // namespace zarn::testing
