#pragma once
// The controller's one way to read the player's playback state and to change volume and
// position. Volume is a level 0..255 (255 is 0 dB, 0 is the -100 dB floor); times are
// whole milliseconds; a length of 0 means the source has none (a stream, or nothing plays).
#include <windows.h>
#include <shellapi.h>
#include <string>

class Player {
public:
    Player() = delete;

    static void Attach();
    static HWND MainWindow() { return mainWindow; }

    static bool Playing();
    static bool Paused();
    static int Volume();
    static void Volume(int level);
    static int Position();
    static void Position(int milliseconds);
    static int Length();
    static bool CanSeek();
    // The pattern evaluated for the playing track, tidied for a balloon (at most 200 units).
    static std::wstring FormatTitle(const std::wstring& pattern);

    // The conversions between the player's units and ours.
    static int LevelFromDecibels(float db);
    static float DecibelsFromLevel(int level);
    // Truncated towards zero; kUnknownTime for a negative or undefined time, and the largest
    // int for times beyond it.
    static int MillisecondsFromSeconds(double seconds);
    static constexpr int kUnknownTime = -1;

    // Removes the playing file from its playlist and moves it to the Recycle Bin after the
    // user confirmed `question`; files that cannot go at once are retried by Timer.
    static void Delete(const std::wstring& question);
    // The longest file path Delete takes on: its lock test renames the file to a longer name.
    static size_t LongestDeletablePath();
    static void CALLBACK Timer(HWND window, UINT message, UINT_PTR id, DWORD time);

    // Moves files to the Recycle Bin without any dialog.
    class CRecycleFile {
    public:
        CRecycleFile();
        // True when the file no longer exists afterwards.
        bool Recycle(const std::wstring& path);

    private:
        SHFILEOPSTRUCTW operation;
    };

private:
    static HWND mainWindow;
};
