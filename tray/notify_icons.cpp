// The strip's construction, its operating-system profile and the removal of its icons.
#include "tray/NotifyIcons.h"

#include "sdk/shared/shared.h"

namespace {
constexpr int kStandardSmallIcon = 16;

// Gap between the two icons on Windows 7 and later, in icon pixels: the tray's cells are
// spaced in screen pixels, which shrink relative to icon pixels as small icons grow.
int Windows7IconGap() {
    int smallIcon = GetSystemMetrics(SM_CXSMICON);
    if (smallIcon <= 0) smallIcon = kStandardSmallIcon;
    return static_cast<int>(16.0 / smallIcon * 8.0);
}
} // namespace

NotifyIcons::NotifyIcons()
    : icons(), hWnd(nullptr), hInstance(nullptr), images(), playMode(Stopped), drawnPlayMode(Stopped), sliderPos(0),
      drawnSliderPos(0), sliderPosValid(true), drawnSliderPosValid(true), hotButton(TrayButton::None),
      drawnHotButton(TrayButton::None), dragging(false), drawnDragging(false), volumeMode(false),
      drawnVolumeMode(false), buttonDown(false), drawnButtonDown(false), dragMoved(false), buttonXOffset(1), iconGap(1),
      rowGap(1), trayXOffset(1), trayYOffset(0), addReversed(true), sliderRange(24), toolbarRect(), isWin7(false),
      dragBounds(), taskbarCreatedMsg(0), iconsWithdrawn(false) {
    // The profile is fixed once: Windows 2000/XP, Windows 7 and every later version (6.1,
    // 6.2, 6.3, and 10.0 as Windows 10 and 11 report themselves to a program that declares
    // them), and everything else, which is laid out like Windows Vista (the defaults above).
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    if (version.dwMajorVersion == 5) {
        buttonXOffset = 2;
        iconGap = 2;
        rowGap = 2;
        trayXOffset = 0;
        addReversed = true;
    } else if (version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion > 0)) {
        buttonXOffset = 2;
        iconGap = Windows7IconGap();
        rowGap = 14;
        trayXOffset = 2;
        addReversed = false;
        isWin7 = true;
    }
    taskbarCreatedMsg = RegisterWindowMessageW(L"TaskbarCreated");
}

NotifyIcons::TrayProfile NotifyIcons::Profile() const {
    return TrayProfile{isWin7, buttonXOffset, iconGap, rowGap, trayXOffset, trayYOffset, addReversed};
}

void NotifyIcons::UseProfile(const TrayProfile& profile) {
    isWin7 = profile.isWin7;
    buttonXOffset = profile.buttonXOffset;
    iconGap = profile.iconGap;
    rowGap = profile.rowGap;
    trayXOffset = profile.trayXOffset;
    trayYOffset = profile.trayYOffset;
    addReversed = profile.addReversed;
}

NotifyIcons::~NotifyIcons() {
    uCallStackTracker tracker("NotifyIcons::~NotifyIcons()");
    {
        uCallStackTracker uninit("NotifyIcons::UnInitIcons()");
        UnInitIcons();
    }
    // The shell has its own copies; the strip's icons and images go with the object.
    for (NOTIFYICONDATAW& record : icons) UniqueIcon(record.hIcon).reset();
}

void NotifyIcons::UnInitIcons() {
    Shell_NotifyIconW(NIM_DELETE, &icons[0]);
    Shell_NotifyIconW(NIM_DELETE, &icons[1]);
}

void NotifyIcons::WithdrawIcons() {
    iconsWithdrawn = true;
    EndWheelHover();
    uCallStackTracker uninit("NotifyIcons::UnInitIcons()");
    UnInitIcons();
}
