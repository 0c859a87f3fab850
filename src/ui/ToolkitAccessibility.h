#pragma once

class CDlgBase;
class CWndPopup;

// Makes the skinned windows and popups accessible: installs the factory that gives Qt
// their interfaces, and reports their changes after they paint. Nothing of it runs while
// no assistive technology listens.
namespace ToolkitAccessibility {

// Once, after the application object exists.
void Install();
// A window or popup has painted: report what changed since the last time.
void WindowPainted(CDlgBase* window);
void PopupPainted(CWndPopup* popup);

}  // namespace ToolkitAccessibility
