// The decoding thread and what it shares with the player's thread, under one lock.
#include "tray/cover_decoder.h"

#include <new>
#include <utility>

struct CoverDecoder::Shared {
    SRWLOCK lock = SRWLOCK_INIT;
    // The request waiting for the thread.
    Bytes waiting;
    int waitingSide = 0;
    HWND notifyWindow = nullptr;
    UINT notifyMessage = 0;
    unsigned waitingSerial = 0;
    // The newest request; only its result is kept.
    unsigned newestSerial = 0;
    bool answered = true;
    bool running = false;
    CoverImage::Outcome outcome = CoverImage::Outcome::Empty;
    Pixels pixels;
    bool resultReady = false;
};

namespace {

class Locked {
public:
    explicit Locked(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~Locked() { ReleaseSRWLockExclusive(&m_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& m_lock;
};

// Takes the waiting request, or marks the thread as ending when there is none.
bool NextRequest(CoverDecoder::Shared& shared, CoverDecoder::Bytes& bytes, int& side, unsigned& serial) {
    Locked locked(shared.lock);
    if (!shared.waiting) {
        shared.running = false;
        return false;
    }
    bytes = std::move(shared.waiting);
    shared.waiting.reset();
    side = shared.waitingSide;
    serial = shared.waitingSerial;
    return true;
}

CoverImage::Outcome DecodeSafely(const CoverDecoder::Bytes& bytes, int side, Pixels& pixels) {
    try {
        return CoverImage::Decode(bytes->data(), bytes->size(), side, pixels);
    } catch (...) { // no exception may end the thread: a cover that fails is no cover
        pixels = Pixels();
        return CoverImage::Outcome::Undecodable;
    }
}

DWORD WINAPI DecodeRequests(void* parameter) {
    std::unique_ptr<std::shared_ptr<CoverDecoder::Shared>> handedOver(
        static_cast<std::shared_ptr<CoverDecoder::Shared>*>(parameter));
    CoverDecoder::Shared& shared = **handedOver;
    CoverDecoder::Bytes bytes;
    int side = 0;
    unsigned serial = 0;
    while (NextRequest(shared, bytes, side, serial)) {
        Pixels pixels;
        const CoverImage::Outcome outcome = DecodeSafely(bytes, side, pixels);
        bytes.reset();
        Locked locked(shared.lock);
        if (serial != shared.newestSerial) continue;
        shared.outcome = outcome;
        shared.pixels = std::move(pixels);
        shared.resultReady = true;
        if (shared.notifyWindow) PostMessageW(shared.notifyWindow, shared.notifyMessage, 0, 0);
    }
    return 0;
}

} // namespace

CoverDecoder::CoverDecoder() : m_shared(std::make_shared<Shared>()) {}

CoverDecoder::~CoverDecoder() {
    Cancel();
    WaitIdle();
}

bool CoverDecoder::Request(const Bytes& bytes, int side, HWND window, UINT message) {
    bool startThread = false;
    {
        Locked locked(m_shared->lock);
        m_shared->notifyWindow = window;
        m_shared->notifyMessage = message;
        m_shared->waiting = bytes;
        m_shared->waitingSide = side;
        m_shared->waitingSerial = ++m_shared->newestSerial;
        m_shared->answered = false;
        m_shared->resultReady = false;
        m_shared->pixels = Pixels();
        startThread = !m_shared->running;
        if (startThread) m_shared->running = true;
    }
    if (!startThread) return true;
    // A thread that has said it ends has nothing left to do but return.
    WaitIdle();
    auto* handedOver = new (std::nothrow) std::shared_ptr<Shared>(m_shared);
    if (handedOver) m_thread.reset(CreateThread(nullptr, 0, &DecodeRequests, handedOver, 0, nullptr));
    if (m_thread) return true;
    delete handedOver;
    Locked locked(m_shared->lock);
    m_shared->running = false;
    m_shared->waiting.reset();
    m_shared->answered = true;
    return false;
}

void CoverDecoder::Cancel() {
    Locked locked(m_shared->lock);
    m_shared->waiting.reset();
    ++m_shared->newestSerial; // a decode that runs now finds its result unwanted
    m_shared->answered = true;
    m_shared->resultReady = false;
    m_shared->pixels = Pixels();
}

bool CoverDecoder::TakeResult(CoverImage::Outcome& outcome, Pixels& out) {
    Locked locked(m_shared->lock);
    if (!m_shared->resultReady) return false;
    outcome = m_shared->outcome;
    out = std::move(m_shared->pixels);
    m_shared->pixels = Pixels();
    m_shared->resultReady = false;
    m_shared->answered = true;
    return true;
}

bool CoverDecoder::Pending() const {
    Locked locked(m_shared->lock);
    return !m_shared->answered;
}

void CoverDecoder::WaitIdle() {
    if (!m_thread) return;
    WaitForSingleObject(m_thread.get(), INFINITE);
    m_thread.reset();
}
