#include "host/popup_log.h"

#include "host/text.h"
#include <windows.h>

namespace fb2k_host {

namespace {
class PopupService : public popup_message {
public:
    explicit PopupService(PopupLog* log) : m_log(log) {}
    void show_ex(const char* message, t_size messageLength, const char* title, t_size titleLength,
                 t_icon icon) override {
        std::string text = message ? std::string(message, strnlen(message, messageLength)) : std::string();
        std::string caption = title ? std::string(title, strnlen(title, titleLength)) : std::string();
        m_log->Show(text, caption, icon);
    }

private:
    PopupLog* m_log;
};

UINT IconStyle(popup_message::t_icon icon) {
    switch (icon) {
    case popup_message::icon_error: return MB_ICONERROR;
    case popup_message::icon_query: return MB_ICONQUESTION;
    default: return MB_ICONINFORMATION;
    }
}
} // namespace

PopupLog::PopupLog() : m_service(new service_impl_t<PopupService>(this)) {}

void PopupLog::Show(const std::string& message, const std::string& title, popup_message::t_icon icon) {
    m_shown.push_back({message, title, icon});
    if (m_showBoxes)
        MessageBoxW(nullptr, Utf8ToWide(message).c_str(), Utf8ToWide(title).c_str(), MB_OK | IconStyle(icon));
}

} // namespace fb2k_host
