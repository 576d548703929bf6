#pragma once
// A tray strip for tests: records its hooks and answers the slider position it is given.
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
};
