#pragma once
// A flag that is set for as long as an operation runs.

// Sets the flag on construction and clears it on every way out of the scope, exceptions
// included. Used as a re-entrancy guard: the scope first checks the flag, then holds one.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~ScopedFlag() { m_flag = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& m_flag; // the flag this scope holds set
};
