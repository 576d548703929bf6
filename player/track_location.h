#pragma once
// Where the player keeps a local file: "file://C:\music\a.flac", or, in a portable
// installation, "file-relative://..\music\a.flac", relative to the player's own folder.
#include <string>

// The file behind a track's location as a full native path; empty for anything that is no
// local file (streams, archives, other file systems) or that cannot be resolved.
std::wstring LocalFileOfLocation(const char* location);
