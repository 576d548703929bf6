#pragma once
// The stand-in player's popup_message: shows a message box (or, for tests, only records)
// and keeps every message shown.
#include "sdk/popup_message.h"
#include <string>
#include <vector>

namespace fb2k_host {

struct ShownPopup {
    std::string message;
    std::string title;
    popup_message::t_icon icon;
};

class PopupLog {
public:
    PopupLog();
    void SetShowMessageBoxes(bool show) { m_showBoxes = show; }
    const std::vector<ShownPopup>& Shown() const { return m_shown; }
    void Clear() { m_shown.clear(); }
    service_ptr_t<popup_message> Service() { return m_service; }

    void Show(const std::string& message, const std::string& title, popup_message::t_icon icon);

private:
    bool m_showBoxes = true;
    std::vector<ShownPopup> m_shown;
    service_ptr_t<popup_message> m_service;
};

} // namespace fb2k_host
