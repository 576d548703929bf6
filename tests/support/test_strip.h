#pragma once
// A tray strip for tests: records its hooks and answers the slider position it is given,
// and lets tests see and set the strip's state.
#include "tray/NotifyIcons.h"

#include <string>
#include <vector>

class TestStrip : public NotifyIcons {
public:
    double sliderFraction = 0.0;
    int positionRequests = 0;
    std::vector<std::string> hooks;

    void onPlayClick() override { hooks.push_back("play"); }
    void onPauseClick() override { hooks.push_back("pause"); }
    void onStopClick() override { hooks.push_back("stop"); }
    void onPrevClick() override { hooks.push_back("prev"); }
    void onNextClick() override { hooks.push_back("next"); }
    void onLoadClick() override { hooks.push_back("load"); }
    void onRightClick() override { hooks.push_back("right"); }
    void onMiddleClick() override { hooks.push_back("middle"); }
    double onWantSliderPosition() override {
        ++positionRequests;
        return sliderFraction;
    }
    void onSliderPositionChange(double) override { hooks.push_back("slider"); }

    using NotifyIcons::addReversed;
    using NotifyIcons::buttonDown;
    using NotifyIcons::buttonXOffset;
    using NotifyIcons::dragBounds;
    using NotifyIcons::dragging;
    using NotifyIcons::dragMoved;
    using NotifyIcons::hotButton;
    using NotifyIcons::iconGap;
    using NotifyIcons::icons;
    using NotifyIcons::images;
    using NotifyIcons::isWin7;
    using NotifyIcons::lastTipNudge;
    using NotifyIcons::LocatePointer;
    using NotifyIcons::playMode;
    using NotifyIcons::rowGap;
    using NotifyIcons::sliderPos;
    using NotifyIcons::sliderPosValid;
    using NotifyIcons::sliderRange;
    using NotifyIcons::StripPointer;
    using NotifyIcons::toolbarRect;
    using NotifyIcons::tooltipEnabled;
    using NotifyIcons::trayXOffset;
    using NotifyIcons::trayYOffset;
    using NotifyIcons::volumeMode;

    // What the image set was loaded for: the size drawn, the layout in it and its offset, the theme.
    int IconSize() const { return imageSet.IconSize(); }
    const StripLayout& Layout() const { return imageSet.Layout(); }
    int LayoutOffset() const { return imageSet.LayoutOffset(); }
    bool DarkTaskbar() const { return imageSet.Dark(); }

    // The same state of any strip, the controller's included.
    static bool DarkTaskbarOf(const NotifyIcons& strip) { return (strip.*(&TestStrip::imageSet)).Dark(); }
    static bool IsWin7Of(const NotifyIcons& strip) { return strip.*(&TestStrip::isWin7); }
    static PlayMode PlayModeOf(const NotifyIcons& strip) { return strip.*(&TestStrip::playMode); }
};
