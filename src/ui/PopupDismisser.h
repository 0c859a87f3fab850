#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class CWndPopup;

// Dismisses the open popups on a press outside all of them. Popups are tool windows that
// do not take the pointer from one another, so several can be open together (a function
// list and its sub-list) and each keeps its own hover and clicks; a press on any other
// window of the program, or the program losing the activation, dismisses every open
// popup, each with its own message.
class PopupDismisser : public QObject {
public:
    static void Register(CWndPopup* popup);
    static void Unregister(const CWndPopup* popup);
    [[nodiscard]] static std::vector<CWndPopup*> OpenPopups();
    // Dismisses every open popup, in the order they opened.
    static void DismissAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    ~PopupDismisser() override;

private:
    enum class Creation { IfMissing, Never };

    PopupDismisser();
    static PopupDismisser* Instance(Creation creation);
    [[nodiscard]] bool IsInsideAPopup(const QObject* target) const;

    std::vector<QPointer<CWndPopup>> m_open;
};
