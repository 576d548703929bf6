// The controller's life: construction, start-up in its fixed order, shut-down.
#include "controller/Trelvane.h"

#include "base/text_convert.h"
#include "controller/message_filter.h"
#include "controller/strip_card.h"
#include "controller/tooltip_script.h"
#include "player/Player.h"
#include "sdk/core_api.h"
#include "sdk/popup_message.h"
#include "sdk/shared/shared.h"
#include "sdk/titleformat.h"
#include "settings/config_vars.h"
#include "settings/registry_settings.h"
#include "tray/skin_folder.h"

namespace {

const char* const kTooltipPattern = "[%artist% - ]%title%";
const char* const kTooltipFallbackPattern = "%filename%";

const char* const kNoticeTitle = "Foobar2000 Trelvane";
const char* const kNoticeText =
    "THIS IMPORTANT MESSAGE WILL ONLY APPEAR ONCE\n"
    "Note about using Foobar2000 Trelvane (FTV) on Windows 7\n\n"
    "In Windows 7, the behavior of FTV is a bit different than on previous versions of Windows.\n\n"
    "First, you will have to move the two icons in place, as the component can't do that for you. "
    "Click the small arrow of the Taskbar Notification Area (the tray) to open the Notification Area "
    "Overflow. Drag the two icons out of this area and place them where you want them to be. It is "
    "important you place the two icons next to each other, and in correct order: |< ^ > >|, otherwise "
    "they won't work properly. Windows will then remember their position for the next times you use "
    "Foobar2000.\n\n"
    "Second, while the control buttons will react to the LEFT mouse button, the position/volume slider "
    "will only react to the RIGHT mouse button, as the left button is reserved by Windows for moving "
    "the icons themselves.\n\n"
    "This behavior change was required to be able to run FTV on Windows 7. We are aiming to find the "
    "best possible behavior given the limits imposed by Windows 7, so we are open to any suggestion or "
    "comment you may have on this change: please send them by e-mail to trelvane@example.org.";

void CompileTooltipScript() {
    service_ptr_t<titleformat_compiler> compiler = standard_api_create_t<titleformat_compiler>();
    service_ptr_t<titleformat_object>& script = TooltipScript();
    if (compiler->compile(script, kTooltipPattern)) return;
    if (compiler->compile(script, kTooltipFallbackPattern)) return;
    throw pfc::exception_bug_check_v2();
}

} // namespace

service_ptr_t<titleformat_object>& TooltipScript() {
    static service_ptr_t<titleformat_object> script;
    return script;
}

Trelvane& Trelvane::Instance() {
    uCallStackTracker tracker("Trelvane::Instance() singleton instanciator");
    // A function-local static is constructed on the first call that gets through without an
    // exception and destroyed with the module's other static objects.
    static Trelvane instance;
    return instance;
}

Trelvane::Trelvane() {
    uCallStackTracker tracker("Trelvane() default constructor");
    CompileTooltipScript();
}

void Trelvane::onInit() {
    uCallStackTracker tracker("Trelvane::onInit()");
    {
        uCallStackTracker attach("Player::Attach()");
        Player::Attach();
    }
    ReplaceDefaultBalloonFormatMarker();
    BuildTrayMenu();
    CreateMessageWindow();
    LoadConfig();
    InitIcons();
    StartTimers();
    SFIHState();
    balloonShown = false;
    StripCard::Instance().Start();
    ShowWindows7NoticeIfDue();
}

void Trelvane::CreateMessageWindow() {
    hMessageWindow = CreateWindowExW(0, L"#32770", L"TrelvaneMessageWindow", 0, 0, 0, 0, 0, nullptr, nullptr,
                                     core_api::get_my_instance(), nullptr);
    oldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hMessageWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Trelvane::WndProc)));
    LetMessageThrough(hMessageWindow, taskbarCreatedMsg);
}

void Trelvane::StartTimers() {
    SetTimer(hMessageWindow, kSliderTimer, kSliderTimerPeriod, nullptr);
    if (GetPlayerKeyInt(L"PreventSleep") != 0)
        SetTimer(hMessageWindow, kKeepAwakeTimer, kKeepAwakeTimerPeriod, nullptr);
}

void Trelvane::ShowWindows7NoticeIfDue() {
    if (!isWin7 || cfg::Windows7NoticeShown) return;
    standard_api_create_t<popup_message>()->show_ex(kNoticeText, pfc_infinite, kNoticeTitle, pfc_infinite,
                                                    popup_message::icon_information);
    cfg::Windows7NoticeShown = true;
}

void Trelvane::onQuit() {
    uCallStackTracker tracker("Trelvane::onQuit()");
    StripCard::Instance().Stop();
    WithdrawIcons();
}

void Trelvane::SFIHState() {
    uCallStackTracker tracker("Trelvane::SFIHState()");
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(NOTIFYICONDATAW);
    data.hWnd = core_api::get_main_window();
    data.uID = 0;
    data.uFlags = NIF_STATE;
    data.dwStateMask = NIS_HIDDEN;
    data.dwState = GetPlayerKeyInt(L"HideFoobarIcon") != 0 ? NIS_HIDDEN : 0;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Trelvane::InitIcons() {
    std::wstring skinName;
    if (!cfg::SkinName.is_empty()) skinName = String8ToWide(cfg::SkinName.get_ptr());
    NotifyIcons::InitIcons(hMessageWindow, core_api::get_my_instance(),
                           SkinFolder(core_api::get_my_instance(), skinName));
}
