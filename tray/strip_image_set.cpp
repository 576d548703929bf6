#include "tray/strip_image_set.h"

namespace {
constexpr int kStandardSmallIcon = 16;
} // namespace

StripImageSet::StripImageSet()
    : m_size(kStandardSmallIcon), m_layout(StripLayouts::For(kStandardSmallIcon, 1)) {}

int StripImageSet::Choose(int size, bool dark, int buttonXOffset) {
    m_size = size;
    m_dark = dark;
    const int layoutSize = m_skin.empty() ? StripLayouts::ArtworkSizeFor(size) : StripLayouts::SkinSizeFor(size);
    m_layout = StripLayouts::For(layoutSize, buttonXOffset);
    m_offset = (size - layoutSize) / 2;
    return layoutSize;
}
