#pragma once
// What the input line tells screen readers: its accessible name, each new line, and each
// refusal or cut in the words of its tip. zarn.exe imports no accessibility library and loads
// none at start: COM and oleacc are loaded when a client first asks for the line's accessible
// object or its first tip is shown, UI Automation at the first announcement. Everything here
// fails quietly: where the system lacks a part, the line works on without it.

#include <windows.h>
#include <wtypes.h>

#include <memory>
#include <string_view>

#include "rational/object.hpp"
#include "window/win32/handles.hpp"
#include "window/win32/refusal_tip.hpp"

struct IAccPropServices;
struct IRawElementProviderSimple;

namespace zarn {

class LineAnnotations;

inline constexpr const wchar_t* inputLineAccessibleName = L"ZARN line";

// Announces `line`, the control's new text as it shows it (UTF-16), after a key changed it:
// a UI Automation notification carrying the line, processed "most recent" so that a fast
// typist hears the latest one (where the system has UiaRaiseNotificationEvent), and always
// the MSAA value change of the control's client, whose value is the line. Call it once for
// each key that changed the text, and never when the text stayed as it was.
void announceLine(HWND control, std::wstring_view line);

// Announces a refusal or a cut in the words of its tip, `message`: a UI Automation
// notification carrying it, processed "all" so that it is never dropped, and the MSAA alert of
// `tipWindow`, the tip now shown, whose accessible name is the message and whose alert level
// `annotations` sets (no alert when null).
void announceTip(HWND control, LineAnnotations& annotations, TipKind kind, HWND tipWindow,
                 std::wstring_view message);

// UiaRaiseNotificationEvent's signature (Windows 10 1709 and later), which MinGW-w64's headers
// lack; kinds and processings are the values of uiautomationcore.h's NotificationKind and
// NotificationProcessing.
using RaiseNotificationEventFn = HRESULT(WINAPI*)(IRawElementProviderSimple* provider, int kind, int processing,
                                                  BSTR displayString, BSTR activityId);
inline constexpr int notificationKindActionCompleted = 2;
inline constexpr int notificationKindActionAborted = 3;
inline constexpr int notificationKindOther = 4;
inline constexpr int notificationProcessingAll = 2;
inline constexpr int notificationProcessingMostRecent = 3;

// UI Automation as the announcements use it: uiautomationcore.dll and oleaut32.dll, loaded
// from the system folder at the first announcement and kept for the process's life (UI
// Automation may run threads of its own in them). Never instantiated: its state is
// process-wide.
class UiaNotifications : public Object {
public:
    UiaNotifications() = delete;

    // Loads the libraries and looks up their entries, once; later calls do nothing.
    static void load();

    // Raises a notification on `control`'s host provider; does nothing where an entry is
    // missing or the system refuses.
    static void raise(HWND control, int kind, int processing, std::wstring_view text, const wchar_t* activityId);

    // The entry raise() calls: after load(), the system's UiaRaiseNotificationEvent, or null
    // where it has none (Windows before 10 1709; Wine 8), and then the UI Automation path is
    // skipped. Tests point it at a recorder after calling load().
    static RaiseNotificationEventFn raiseNotificationEvent;
};

// Dynamic Annotation (IAccPropServices), which MSAA clients and UI Automation's proxies read:
// the window thread's COM apartment is entered, and oleacc's service made, when first needed, and
// both are let go by release() after the message loop, never inside a window's destruction,
// where leaving COM may pump messages into a window half gone. Never instantiated: the thread's
// apartment is one for the whole process.
class AccPropServices : public Object {
public:
    AccPropServices() = delete;

    // The service, made once (entering COM first); null where the system lacks it.
    static IAccPropServices* get();

    // Releases the service and leaves COM, if it was entered here; get() may make them again.
    static void release();

    // What get() returns once made: tests put a stand-in here after calling get().
    static IAccPropServices* service;
};

// Releases AccPropServices when a scope ends: the scope of the message loop.
using AccPropServicesReleased = ReleasedAtScopeEnd<&AccPropServices::release>;

// What the input line annotates: its accessible name, given when a client first asks for the
// control's accessible object, before the control answers, so that nothing is loaded for a
// program nobody inspects; and the alert level of its tip, set before each alert. Both are
// taken away when this object goes, which must be before the control and its tip are destroyed
// and on their thread. Wine 8 implements neither (SetHwndPropStr and SetHwndProp answer
// E_NOTIMPL): there the line has no name and the tip no alert level.
class LineAnnotations {
public:
    LineAnnotations(HWND control, const wchar_t* name) noexcept : control_(control), name_(name) {}
    ~LineAnnotations();
    LineAnnotations(const LineAnnotations&) = delete;
    LineAnnotations& operator=(const LineAnnotations&) = delete;

    // For every WM_GETOBJECT the control receives, before it is answered: the first gives the
    // name; later ones do nothing.
    void onObjectRequested() noexcept;

    // The state MSAA clients read from `tipWindow` when its alert comes: STATE_SYSTEM_ALERT_HIGH
    // for a refusal, STATE_SYSTEM_ALERT_MEDIUM for a cut.
    void setAlertLevel(HWND tipWindow, TipKind kind) noexcept;

    // The tip was hidden: its alert level goes with it, so that no client reads an alert on a
    // window no longer shown.
    void clearAlertLevel() noexcept;

private:
    HWND control_;
    const wchar_t* name_;
    bool requested_ = false;
    bool named_ = false;      // the system took the name: it is cleared at the end
    HWND alerted_ = nullptr;  // the tip whose state the system took: cleared at the end
};

}  // namespace zarn
