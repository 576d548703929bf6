// The strip's side of the card: the pointer passed on to it.
#include "controller/Trelvane.h"

#include "controller/strip_card.h"

void Trelvane::onStripPointer(UINT message, const StripPointer& pointer) {
    StripHover hover;
    hover.message = message;
    hover.area = StripArea();
    hover.onTray = pointer.onTray;
    hover.target = pointer.onTray ? ButtonByPos(pointer.strip) : TrayButton::None;
    hover.step = pointer.sliderStep;
    hover.range = SliderSteps();
    hover.dragging = Input().dragging;
    StripCard::Instance().OnPointer(hover);
}
