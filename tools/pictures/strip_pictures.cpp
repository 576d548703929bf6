// Draws the strip as the component composes it, at one small-icon size, in a few states, on
// a light and on a dark taskbar colour, and writes each picture as a PPM file.
//
// Usage (under Wine, run as Windows 10 so that the dark value counts):
//     strip_pictures.exe SIZE|system OUTPUT_PREFIX
// writes OUTPUT_PREFIX-light.ppm and OUTPUT_PREFIX-dark.ppm. "system" draws at the small-icon
// size the system reports (Wine's LogPixels setting decides it); a number pretends that size. The taskbar behind the
// icons is painted here, in the colours of Windows 11's light and dark taskbars; the icons are blended onto it by their
// alpha, as the shell does.
#include "tests/support/icon_pixels.h"
#include "tests/support/shell_tray.h"
#include "tests/support/small_icon_size.h"
#include "tests/support/taskbar_theme_value.h"
#include "tests/support/test_prefix.h"
#include "tests/support/test_strip.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Rgb {
    unsigned char r, g, b;
};

struct State {
    PlayMode mode;
    double fraction;
    int hot;
    bool volume;
};
// Stopped; playing a third in; paused near the end with play under the pointer; volume.
const State kStates[] = {
    {Stopped, 0.0, TrayButton::None, false},
    {Playing, 0.35, TrayButton::None, false},
    {Paused, 0.9, TrayButton::PlayPause, false},
    {Playing, 0.6, TrayButton::Slider, true},
};

class Canvas {
public:
    Canvas(int width, int height, Rgb background)
        : m_width(width), m_height(height), m_pixels(width * height, background) {}

    // One icon blended onto the canvas at (left, top).
    void Blend(const Pixels& icon, int left, int top) {
        for (int y = 0; y < icon.height; ++y)
            for (int x = 0; x < icon.width; ++x) {
                if (!icon.Opaque(x, y)) continue;
                uint32_t c = icon.color[y * icon.width + x];
                unsigned a = c >> 24;
                Rgb& p = m_pixels[(top + y) * m_width + left + x];
                p.r = static_cast<unsigned char>(((c >> 16 & 0xFF) * a + p.r * (255 - a)) / 255);
                p.g = static_cast<unsigned char>(((c >> 8 & 0xFF) * a + p.g * (255 - a)) / 255);
                p.b = static_cast<unsigned char>(((c & 0xFF) * a + p.b * (255 - a)) / 255);
            }
    }

    bool Write(const std::string& path) const {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) return false;
        std::fprintf(file, "P6 %d %d 255\n", m_width, m_height);
        bool written = std::fwrite(m_pixels.data(), 3, m_pixels.size(), file) == m_pixels.size();
        return std::fclose(file) == 0 && written;
    }

private:
    int m_width, m_height;
    std::vector<Rgb> m_pixels;
};

// The states side by side, each as the two icons in adjacent tray cells (a cell is the icon
// and half of it again, as on Windows 10 and 11), a cell of space between states.
bool DrawPicture(bool dark, const std::string& path) {
    TaskbarThemeValue theme;
    if (dark) theme.Dark();
    else theme.Light();
    TestStrip strip;
    strip.InitIcons(nullptr, GetModuleHandleW(nullptr), L"");
    if (strip.ImageSet().Dark() != dark) std::fprintf(stderr, "the dark value did not count: run as Windows 10\n");
    const int size = strip.ImageSet().IconSize();
    std::printf("%s: %d-pixel icons\n", path.c_str(), size);
    const int cell = size + size / 2, stateCount = sizeof(kStates) / sizeof(kStates[0]);
    Canvas canvas(cell * (3 * stateCount - 1), size * 2, dark ? Rgb{0x1F, 0x1F, 0x1F} : Rgb{0xEE, 0xEE, 0xEE});
    for (int i = 0; i < stateCount; ++i) {
        strip.sliderFraction = kStates[i].fraction;
        strip.LightButton(kStates[i].hot);
        strip.SetSliderMode(kStates[i].volume);
        strip.SetPlayMode(kStates[i].mode);
        for (int icon = 0; icon < 2; ++icon)
            canvas.Blend(ReadIconPixels(strip.IconRecord(icon).hIcon), 3 * i * cell + icon * cell + (cell - size) / 2,
                         size / 2);
    }
    return canvas.Write(path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: strip_pictures SIZE|system OUTPUT_PREFIX\n");
        return 2;
    }
    // The pictures are drawn with the taskbar theme set in the registry for a moment.
    if (RefuseOutsideTestPrefix("strip_pictures")) return 2;
    ShellTray shell; // the icons go to a stand-in tray, not to the desktop's
    std::unique_ptr<SmallIconSize> pretended;
    if (std::string(argv[1]) != "system") pretended.reset(new SmallIconSize(std::atoi(argv[1])));
    const std::string prefix = argv[2];
    bool written = DrawPicture(false, prefix + "-light.ppm") && DrawPicture(true, prefix + "-dark.ppm");
    return written ? 0 : 1;
}
