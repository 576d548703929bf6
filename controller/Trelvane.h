#pragma once
// The controller: one object per process that owns the tray strip, the tray popup menu and a
// hidden message window with its timers, and reacts to playback events and clicks.
#include "base/gdi_handles.h"
#include "base/user_handles.h"
#include "resources/resource.h"
#include "controller/player_command_queue.h"
#include "tray/NotifyIcons.h"

#include <vector>

// Marker base of the player's general-purpose plug-ins; no data, no virtual operations.
class GeneralPurposePlugin {};

class Trelvane : public NotifyIcons, public GeneralPurposePlugin {
public:
    static constexpr UINT_PTR kSliderTimer = 30000;
    static constexpr UINT kSliderTimerPeriod = 200;
    static constexpr UINT_PTR kKeepAwakeTimer = 30001;
    static constexpr UINT kKeepAwakeTimerPeriod = 30000;
    static constexpr UINT_PTR kBalloonTimer = 30002;     // not a resource id: a timer of the message window
    static constexpr UINT_PTR kWheelVolumeTimer = 30003; // not a resource id: a timer of the message window
    static constexpr UINT kWheelVolumeShownFor = 1500;   // not a resource id: milliseconds
    static constexpr UINT_PTR kPlayerCommandTimer = 30004; // not a resource id: a timer of the message window
    static constexpr UINT kPlayerCommandRetry = 10;        // not a resource id: milliseconds
    static constexpr UINT kTitleBandItem = ID_TRAY_TITLE_BAND;
    static constexpr UINT kQuitItem = ID_TRAY_QUIT;
    static constexpr WORD kTrayMenuResource = IDR_TRAY_MENU;

    // The controller; constructed on the first call. A construction that throws leaves it
    // unconstructed, and the next call tries again.
    static Trelvane& Instance();

    void onInit();
    void onQuit();
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void SFIHState();

    void InitIcons();
    void InitMenuText();
    void onDrawItem(const DRAWITEMSTRUCT& item);
    void onMeasureItem(MEASUREITEMSTRUCT& item);

    // Reactions to playback events.
    void onStarted();
    void onStopped();
    void onPaused();
    void onUnpaused();
    void onTitleChange(const std::wstring& title);
    // The song-title balloon; once per track unless forced.
    void ShowBalloon(bool force);
    bool BalloonShown() const { return balloonShown; }
    void ClearBalloonShown() { balloonShown = false; }

    // Seek or volume slider.
    void VolumeSlider(bool volume);
    void VolumeSlider();
    void RefreshSlider();
    // The mouse wheel over the strip (its WheelMessage()), and the end of showing its volume.
    void onWheel(WPARAM wParam, LPARAM lParam);
    void EndWheelVolume();
    // The slider acts as volume slider, or shows the volume while the wheel turns.
    bool SliderShowsVolume() const;

    // Strip hooks.
    void onPlayClick() override;
    void onPauseClick() override;
    void onStopClick() override;
    void onPrevClick() override;
    void onNextClick() override;
    void onLoadClick() override;
    void onRightClick() override;
    void onMiddleClick() override;
    double onWantSliderPosition() override;
    void onSliderPositionChange(double fraction) override;
    void onStripPointer(UINT message, const StripPointer& pointer) override;

    // Commands that both the tray menu and the player's main menu offer.
    void ResetIcons();
    static void DeleteCurrentFile();
    static void ShowOrHideMainWindow();

    HWND MessageWindow() const { return messageWindow.get(); }
    HMENU TrayMenu() const { return trayMenu.get(); }
    bool VolumeSliderActive() const { return volumeSliderActive; }

private:
    Trelvane();
    ~Trelvane() override;

    void BuildTrayMenu();
    void CreateMessageWindow();
    void StartTimers();
    void ShowWindows7NoticeIfDue();

    // Message handlers of the message window; each returns the window procedure's result.
    LRESULT HandleTimer(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleTaskbarCreated(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleSettingChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleDisplayChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT PassToOldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool volumeSliderActive = false;
    bool balloonShown = false;
    // The strip's clicks, given to the player when it can take them.
    PlayerCommandQueue playerCommands{kPlayerCommandTimer, kPlayerCommandRetry};
    // The menu's item bitmaps outlive the menu that shows them: declared first, freed last.
    std::vector<UniqueBitmap> menuBitmaps;
    UniqueMenu trayMenu;
    WNDPROC oldWndProc = nullptr;
    UniqueWindow messageWindow;
};

// Steps of the tray menu's set-up that act on the menu alone.
void AddMenuTitle(HMENU menu);
