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
    "First, Windows may put the two icons in the Notification Area Overflow at first. To keep them in "
    "view, click the small arrow of the Taskbar Notification Area (the tray) to open the Notification "
    "Area Overflow, and drag the two icons out of this area onto the taskbar, best next to each other. "
    "You don't have to put them in any order: FTV finds out by itself which of the two icons is on the "
    "left. Windows will then remember their position for the next times you use Foobar2000.\n\n"
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

// The window and the menu stay until the process ends; they go with this static object. The
// icons leave the tray while their window still exists, and the window gets its first
// procedure back, so that its destruction runs none of ours.
Trelvane::~Trelvane() {
    uCallStackTracker tracker("Trelvane::~Trelvane()");
    UnInitIcons();
    if (messageWindow && oldWndProc)
        SetWindowLongPtrW(messageWindow.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc));
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
    messageWindow.reset(CreateWindowExW(0, L"#32770", L"TrelvaneMessageWindow", 0, 0, 0, 0, 0, nullptr, nullptr,
                                        core_api::get_my_instance(), nullptr));
    oldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(MessageWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Trelvane::WndProc)));
    LetMessageThrough(MessageWindow(), TaskbarCreatedMessage());
    playerCommands.Attach(MessageWindow());
}

void Trelvane::StartTimers() {
    SetTimer(MessageWindow(), kSliderTimer, kSliderTimerPeriod, nullptr);
    if (SwitchOn(RegistrySwitch::PreventSleep))
        SetTimer(MessageWindow(), kKeepAwakeTimer, kKeepAwakeTimerPeriod, nullptr);
}

void Trelvane::ShowWindows7NoticeIfDue() {
    if (!Windows7Profile() || cfg::Windows7NoticeShown) return;
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
    data.dwState = SwitchOn(RegistrySwitch::HideFoobarIcon) ? NIS_HIDDEN : 0;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Trelvane::InitIcons() {
    std::wstring skinName;
    if (!cfg::SkinName.is_empty()) skinName = String8ToWide(cfg::SkinName.get_ptr());
    NotifyIcons::InitIcons(MessageWindow(), core_api::get_my_instance(),
                           SkinFolder(core_api::get_my_instance(), skinName));
}
