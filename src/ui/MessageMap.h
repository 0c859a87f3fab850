#pragma once

#include "ui/UiMessages.h"

#include <initializer_list>
#include <optional>
#include <unordered_map>
#include <utility>

// A window's table from message number to member handler, so that OnMessage is a
// lookup rather than a chain of comparisons:
//
//   LResult CMyDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam) {
//       static const MessageMap<CMyDlg> map{{kIdClose, &CMyDlg::OnClose}};
//       if (auto result = map.Dispatch(*this, message, wParam, lParam)) return *result;
//       return CDlgBase::OnMessage(message, wParam, lParam);
//   }
template <class Window>
class MessageMap {
public:
    using Handler = LResult (Window::*)(WParam, LParam);

    MessageMap(std::initializer_list<std::pair<const UiMessage, Handler>> entries)
        : m_handlers(entries)
    {
    }

    // The handler's result, or nothing when the table has no entry for the message.
    std::optional<LResult> Dispatch(Window& window, UiMessage message, WParam wParam,
                                    LParam lParam) const
    {
        const auto found = m_handlers.find(message);
        if (found == m_handlers.end())
            return std::nullopt;
        return (window.*(found->second))(wParam, lParam);
    }

    [[nodiscard]] bool Handles(UiMessage message) const { return m_handlers.contains(message); }

private:
    std::unordered_map<UiMessage, Handler> m_handlers;
};
