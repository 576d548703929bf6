#pragma once
// Runs a named piece of the test executable in a child process of its own, for behaviour
// that ends the process (a fatal bug check) or needs a fresh one.
#include <functional>
#include <string>

typedef std::function<int()> ChildBody;

// Registers a body under a name; use at namespace scope through CHILD_PROCESS_BODY.
bool RegisterChildBody(const char* name, ChildBody body);
#define CHILD_PROCESS_BODY(NAME)                                                                                       \
    static int NAME##_child_body();                                                                                    \
    static const bool NAME##_child_registered = RegisterChildBody(#NAME, &NAME##_child_body);                          \
    static int NAME##_child_body()

// In main: runs the body when the process was started as a child.
bool RunChildModeIfRequested(int argc, char** argv, int& exitCode);

// In a child: one line of what it saw or what differed, in words, for the parent to read in
// ChildResult::report (a bare exit code cannot say which check failed).
void ChildReport(const std::string& line);

// In a child: its checks, each one that fails reported in words; the body returns Failed().
class ChildChecks {
public:
    void Expect(bool holds, const std::string& whatDiffered) {
        if (holds) return;
        ChildReport(whatDiffered);
        ++m_failed;
    }
    int Failed() const { return m_failed; }

private:
    int m_failed = 0;
};

struct ChildResult {
    unsigned long exitCode = 0;
    bool finished = false;
    std::string report; // the child's ChildReport lines, each ended by a line feed
};
// Starts this executable as a child that runs the named body; waits up to timeoutMs.
// With a desktop name the child starts on that desktop (under Wine, a virtual desktop of its
// own with its own explorer and taskbar).
ChildResult RunChild(const char* name, unsigned long timeoutMs = 30000, const std::wstring& extraEnvironment = L"",
                     const wchar_t* desktop = nullptr);
