#pragma once
// The tray strip: two notification-area icons side by side, buttons below (previous,
// stop/load, play/pause, next) and a seek or volume slider above. The icons are drawn at the
// shell's small-icon size (16 x 16 at 96 DPI) in the taskbar's theme.
// Abstract: the controller implements the event hooks.
#include "tray/strip_canvas.h"
#include "tray/input_follow_up.h"
#include "tray/icon_placement.h"
#include "tray/strip_image.h"
#include "tray/strip_image_set.h"
#include "tray/tray_windows.h"
#include "tray/strip_layout.h"
#include "tray/wheel_hover.h"

#include <windows.h>
#include <shellapi.h>
#include <string>

enum PlayMode : int { Stopped = 0, Playing = 1, Paused = 2 };

namespace TrayButton {
enum : int { None = 0, Slider = 1, Back = 2, StopLoad = 3, PlayPause = 4, Next = 5 };
}

class NotifyIcons {
public:
    static constexpr int kImageCount = 18;
    static constexpr UINT kCallbackMessage = WM_USER + 86; // 1110
    static constexpr UINT kIconId[2] = {6862, 6863};

    typedef StripImageRecord Image;

    NotifyIcons();
    virtual ~NotifyIcons();
    NotifyIcons(const NotifyIcons&) = delete;
    NotifyIcons& operator=(const NotifyIcons&) = delete;

    // Event hooks, in slot order after the destructor.
    virtual void onPlayClick() = 0;
    virtual void onPauseClick() = 0;
    virtual void onStopClick() = 0;
    virtual void onPrevClick() = 0;
    virtual void onNextClick() = 0;
    virtual void onLoadClick() = 0;
    virtual void onRightClick() = 0;
    virtual void onMiddleClick() = 0;
    virtual double onWantSliderPosition() = 0;
    virtual void onSliderPositionChange(double fraction) = 0;

    static std::wstring IconFile(const std::wstring& folder, int index);
    void InitIcons(HWND window, HINSTANCE instance, const std::wstring& skin);
    void UnInitIcons();
    void SetPlayMode(PlayMode mode);
    void SetSliderMode(bool volume);

    void Refresh();
    void ModifyIcons();
    // Adds both icons, unless they have been withdrawn for good.
    void AddIconsToTray();
    // The player quits: both icons go, and nothing adds them again until InitIcons.
    void WithdrawIcons();
    void IconBlt(HDC colorDst, HDC maskDst, int imageId, int x, int y, bool hot);

    void NotifyIconCallback(UINT message, UINT iconId);
    int ButtonByPos(POINT strip);
    void TimerTick();

    // The mouse wheel over the strip. The notches of one wheel message, 0 when it came from
    // outside the strip's cells or outside a hover; partial deltas are kept for the next.
    int WheelNotchesAt(WPARAM wParam, LPARAM lParam);
    // Shows the slider with the volume cursor, also while stopped, or returns it to its mode.
    void ShowWheelVolume(bool shown);
    bool WheelVolumeShown() const { return wheelHover.VolumeShown(); }
    bool WheelHookInstalled() const { return wheelHover.HookInstalled(); }
    // Posted to the message window for each turn of the wheel during a hover (wheel_hover.h).
    UINT WheelMessage() const { return wheelHover.Message(); }

    void ShowBalloon(const wchar_t* text, const wchar_t* title, UINT timeout);
    void HideBalloon();
    void EnableToolTip(bool on);
    void SetTipText(const std::wstring& text);
    // While the card is shown the shell's title tooltip is empty, and its text is kept aside;
    // a new title meanwhile is kept instead.
    void HideShellTip(bool hidden);

    // Where the tray menu opens: at the pointer after a click, at the icon when the menu was
    // asked for from the keyboard.
    POINT MenuPoint() const;
    // Loads the image set again and redraws both icons once if the taskbar's theme or the
    // small-icon size has changed since the images were loaded; otherwise does nothing.
    // Returns whether it redrew.
    bool UpdateImageSet();
    // The icons may have moved (another DPI, other settings, a new taskbar): which icon shows
    // which half of the strip is learnt again, from the shell where it says, else from the
    // pointer's next visit.
    void RelearnIconOrder();

    // What the strip's owner or a test may read of it.
    // The play mode the icons show now (the one set may not be drawn yet).
    PlayMode ShownPlayMode() const { return drawnPlayMode; }
    // The slider's number of steps.
    int SliderSteps() const { return sliderRange; }
    // The system is Windows 7 or later, where the user places the icons.
    bool Windows7Profile() const { return isWin7; }
    // The registered message the shell sends when the taskbar has been created anew.
    UINT TaskbarCreatedMessage() const { return taskbarCreatedMsg; }
    // The record of icon 0 or 1 as last handed to the shell: picture, flags, texts, identity.
    const NOTIFYICONDATAW& IconRecord(int icon) const { return icons[icon]; }
    // Image `index` of the set loaded (StripImage numbering).
    const Image& ImageAt(int index) const { return images[index]; }
    // What the image set was loaded for: the size drawn, the layout in it, the theme, the skin.
    const StripImageSet& ImageSet() const { return imageSet; }
    // The play mode set last (ShownPlayMode says which one the icons show).
    PlayMode CurrentPlayMode() const { return playMode; }
    // The screen area of both icons, from the latest tray message: the timer ends a press or a
    // drag once the pointer is outside it.
    const RECT& StripArea() const { return toolbarRect; }
    // Whether the records carry their tooltip; process-wide, like the records' flags.
    static bool ToolTipEnabled() { return tooltipEnabled; }

    // What the pointer has made of the strip, and the slider position drawn.
    struct InputState {
        int hotButton;       // the element drawn hot (TrayButton)
        bool buttonDown;     // a left press waits for its release
        bool dragging;       // the slider's cursor follows the pointer
        int sliderPos;       // the cursor's step, 0 to SliderSteps()
        bool sliderPosValid; // false: no position is known and the seek cursor is hidden
    };
    InputState Input() const { return InputState{hotButton, buttonDown, dragging, sliderPos, sliderPosValid}; }

    // Where the pointer is on the strip, worked out once for each tray message about `icon`;
    // the message also teaches which cell holds the icon, as far as `evidence` can be trusted.
    // The owner is told the result with each message (onStripPointer).
    struct StripPointer {
        POINT screen;   // the pointer, screen pixels
        bool onTray;    // the pointer lies in the reported icon's cell
        POINT strip;    // strip coordinate (pixels of the drawn icons)
        int sliderStep; // slider position under the pointer
    };
    StripPointer LocatePointer(int icon, IconPlacement::Evidence evidence = IconPlacement::Evidence::Sure);

    // What the strip's owner or a test may choose.
    // How the shell of a Windows version shows tray icons, which the strip lays itself out
    // for. On Windows 7 and later the row gap follows the taskbar's orientation at each tray
    // message.
    struct TrayProfile {
        bool isWin7;       // Windows 7 or later: hover, right-button drags, the alpha artwork
        int buttonXOffset; // moves each icon's right-hand button right (pixels of the 16-pixel layout)
        int iconGap;       // gap between the cells of a classic toolbar (pixels of a 16-pixel icon)
        int rowGap;        // gap between the toolbar's rows (pixels of a 16-pixel icon)
        int trayXOffset;   // where the toolbar's first cell starts in it (screen pixels)
        int trayYOffset;
        bool addReversed; // icon 1 goes to the shell before icon 0
    };
    TrayProfile Profile() const;
    // Replaces the profile the constructor chose from the reported Windows version. Input,
    // balloons and the calls to the shell follow it at once; the artwork from the next InitIcons.
    void UseProfile(const TrayProfile& profile);
    // When an unchanged refresh last rewrote the tooltip, in seconds since 1970; process-wide.
    // Refreshes rewrite it again 30 seconds later: a time in the future holds them off.
    static __int64 LastTipRewrite() { return lastTipNudge; }
    static void TipRewrittenAt(__int64 seconds) { lastTipNudge = seconds; }
    // Draws `button` (TrayButton) hot until the next tray message or timer tick decides again.
    // The strip lights its elements itself from the pointer's messages; this shows one without
    // a pointer, to look at the artwork.
    void LightButton(int button);

protected:
    NOTIFYICONDATAW icons[2];
    HWND hWnd;
    HINSTANCE hInstance;
    Image images[kImageCount];
    PlayMode playMode, drawnPlayMode;
    unsigned char sliderPos, drawnSliderPos;
    bool sliderPosValid, drawnSliderPosValid;
    int hotButton, drawnHotButton;
    bool dragging, drawnDragging;
    bool volumeMode, drawnVolumeMode;
    bool buttonDown, drawnButtonDown;
    bool dragMoved;
    int buttonXOffset;
    int iconGap;
    int rowGap;
    int trayXOffset, trayYOffset;
    bool addReversed;
    unsigned char sliderRange;
    RECT toolbarRect; // the screen area of both icons, from the latest tray message
    bool isWin7;
    RECT dragBounds;
    UINT taskbarCreatedMsg;
    bool iconsWithdrawn;
    StripCanvas canvas;
    // What the image set was loaded for: the size drawn, the layout in it, the theme, the skin.
    StripImageSet imageSet;

    // Process-wide: whether the records currently carry NIF_TIP, and when the tooltip was
    // last rewritten by an unchanged refresh (seconds).
    static bool tooltipEnabled;
    static __int64 lastTipNudge;

    // Told of every tray mouse message after the strip has handled it, with where it found the
    // pointer.
    virtual void onStripPointer(UINT message, const StripPointer& pointer) { (void)message, (void)pointer; }
    // The pixel of the layout's strip (2 x layout size wide) under a strip coordinate.
    POINT LayoutPixel(POINT strip) const;

private:
    typedef void (NotifyIcons::*TrayMessageHandler)(UINT message, const StripPointer& pointer);

    TrayHints CurrentTrayHints();
    void RememberCell(int icon, const RECT& cell, bool learn, IconPlacement::Evidence evidence);
    // Takes the order the placement has found; when it differs from the one drawn, the next
    // refresh draws both icons anew. Returns whether it changed.
    bool FollowIconOrder();
    // The shell's own rectangles for both icons, where it gives them (Windows 7 and later).
    bool LearnOrderFromShell();
    void LearnFromMove(int icon);
    bool HandledAsKey(UINT message, int icon);
    void OnContextMenu(UINT message, const StripPointer& pointer);
    void OnPointerMove(UINT message, const StripPointer& pointer);
    void OnPress(UINT message, const StripPointer& pointer);
    void OnRightPress(UINT message, const StripPointer& pointer);
    void OnRelease(UINT message, const StripPointer& pointer);
    void OnRightRelease(UINT message, const StripPointer& pointer);
    void OnMiddleRelease(UINT message, const StripPointer& pointer);
    void OnOtherMessage(UINT message, const StripPointer& pointer);
    void OnKeyboardSelect(int icon);
    void OnContextMenuKey(int icon);
    void DragTo(const StripPointer& pointer);
    void StartDrag(const StripPointer& pointer);
    void EndDrag(UINT message, const StripPointer& pointer, int target);
    void Click(int target);

    // Where the shell shows the two icons, as far as it has been seen, and which half of the
    // strip each is drawn with.
    IconPlacement placement;
    // The order of the shell's messages, a click's notices told from a key's, and where the
    // tray menu opens.
    InputFollowUp input;
    void HandleTrayMessage(UINT message, int icon);

    // A hover of the pointer over the strip, with the wheel hook it holds.
    void BeginWheelHover(int icon);
    void EndWheelHoverIfLeft();
    void EndWheelHover();
    bool SliderRowShown() const;
    WheelHover wheelHover;

    void LoadImageSet(int size, bool dark);
    StripImageSource ImageSource(int index, int layoutSize) const;
    void RedrawOnNextRefresh();
    void FillIconRecord(int icon);
    void TakeSliderPosition(double fraction);
    bool DrawnStateIsCurrent() const;
    void RememberDrawnState();
    void ComposeStrip(HDC color0, HDC mask0, HDC color1, HDC mask1);
    void NudgeToolTip();
};
