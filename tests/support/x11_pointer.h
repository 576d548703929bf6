#pragma once
// The X server's own pointer and wheel, for tests on an X11 desktop: xdotool, a Unix program,
// started from inside Wine. Its events come through the X server as a person's would, to
// whichever window is under the pointer, and from there to Wine.
#include <string>
#include <vector>

// Starts xdotool with `arguments` and returns at once (the caller keeps pumping messages, so
// that its windows and hooks answer); false when it could not be started.
bool StartXdotool(const std::vector<std::string>& arguments);
