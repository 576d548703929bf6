#pragma once
// The stand-in player's title-formatting: literal text, 'quoted' text, %field%, [optional]
// blocks shown only when a field inside them has a value, and the functions $if, $if2,
// $upper, $lower, $char. A pattern with unbalanced brackets, quotes or parentheses does not compile.
#include "host/playback_engine.h"
#include "sdk/titleformat.h"
#include <string>

namespace fb2k_host {

service_ptr_t<titleformat_compiler> MakeTitleformatCompiler();
// Formats a track with a script compiled by MakeTitleformatCompiler().
std::string FormatTrack(titleformat_object* script, const TrackInfo& track);
// The pattern a script was compiled from; empty for scripts of another compiler.
std::string ScriptSource(titleformat_object* script);

} // namespace fb2k_host
