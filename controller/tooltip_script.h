#pragma once
// The compiled tooltip pattern ("[%artist% - ]%title%", or "%filename%" when the player
// cannot compile that), evaluated for each new track.
#include "sdk/titleformat.h"

service_ptr_t<titleformat_object>& TooltipScript();
