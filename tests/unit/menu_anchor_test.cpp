// Where the tray menu opens, on its own: at the pointer, and at the icon only within the
// keyboard's scope.
#include "tray/menu_anchor.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// Where Windows has the pointer now.
POINT Pointer() {
    POINT pointer = {};
    GetCursorPos(&pointer);
    return pointer;
}

TEST(MenuAnchor, OpensAtTheIconOnlyWhileTheKeyboardScopeLasts) {
    MenuAnchor anchor;
    const POINT pointer = Pointer();
    const POINT icon = {pointer.x + 37, pointer.y + 23}; // anywhere but at the pointer
    EXPECT_TRUE(Same(anchor.Point(), pointer)) << "after a click: at the pointer";
    {
        MenuAnchor::AtIcon atIcon(anchor, icon);
        EXPECT_TRUE(Same(anchor.Point(), icon)) << "from the keyboard: at the icon";
    }
    EXPECT_TRUE(Same(anchor.Point(), Pointer())) << "after the keyboard's menu: at the pointer again";
    try {
        MenuAnchor::AtIcon atIcon(anchor, icon);
        throw std::runtime_error("the menu failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(Same(anchor.Point(), Pointer())) << "a menu that failed leaves no icon point behind";
}

} // namespace
