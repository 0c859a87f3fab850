#pragma once

class CDlgBase;
class CWndPopup;
class QAccessibleEvent;

// Makes the skinned windows and popups accessible: installs the factory that gives Qt
// their interfaces, and reports their changes after they paint. Nothing of it runs while
// no assistive technology listens.
namespace ToolkitAccessibility {

// Once, after the application object exists.
void Install();
// A window or popup has painted: report what changed since the last time.
void WindowPainted(CDlgBase* window);
void PopupPainted(CWndPopup* popup);

// Whether a tool listens: the platform's bridge is active, or a listener is set.
[[nodiscard]] bool Listening();
// Hands an event to the listener, else to the platform's bridge.
void Report(QAccessibleEvent* event);
// A listener in place of the platform's bridge, for a platform without one (the tests'
// offscreen screen); null removes it.
using Listener = void (*)(QAccessibleEvent* event);
void SetListener(Listener listener);

}  // namespace ToolkitAccessibility
