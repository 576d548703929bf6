#pragma once
// Covers decoded on a thread of their own. Wine's decoder reads the whole picture before it
// hands out a row, so a large PNG, or a JPEG the block reader does not take, costs it a tenth
// of a second and more, and even a large JPEG read from its block means some tens of
// milliseconds: the player's thread must not spend that (a track change, a click, a redraw
// would wait). One decode runs at a
// time and the newest request wins: a request that has not started yet is replaced by a newer
// one, and the result of an older one is dropped.
#include "base/system_handles.h"
#include "tray/cover_image.h"

#include <memory>
#include <vector>

class CoverDecoder {
public:
    typedef std::shared_ptr<const std::vector<char>> Bytes;

    CoverDecoder();
    // Waits for a decode that still runs: the module that holds its code may be unloaded next.
    ~CoverDecoder();
    CoverDecoder(const CoverDecoder&) = delete;
    CoverDecoder& operator=(const CoverDecoder&) = delete;

    // Decodes `bytes` into a square of `side` pixels once the decode that runs now is done,
    // then posts `message` to `window` (which may be null). False when no thread could be
    // started: the request is dropped.
    bool Request(const Bytes& bytes, int side, HWND window, UINT message);
    // Drops the waiting request and any result not taken yet.
    void Cancel();
    // The newest request's outcome, once decoded; false while it is being decoded, or when
    // nothing was asked. A picture is in `out` when the outcome is Decoded.
    bool TakeResult(CoverImage::Outcome& outcome, Pixels& out);
    // Whether the newest request is still being decoded.
    bool Pending() const;
    // Returns once no decode runs.
    void WaitIdle();

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    UniqueKernelHandle m_thread;
};
