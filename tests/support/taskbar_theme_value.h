#pragma once
// Sets the taskbar's theme value (HKCU\...\Themes\Personalize, SystemUsesLightTheme) in the
// Wine prefix's registry for a test and puts back whatever was there before (or nothing).
#include <windows.h>
#include <vector>

class TaskbarThemeValue {
public:
    TaskbarThemeValue();
    ~TaskbarThemeValue();
    TaskbarThemeValue(const TaskbarThemeValue&) = delete;
    TaskbarThemeValue& operator=(const TaskbarThemeValue&) = delete;

    void Light() { SetDword(1); }
    void Dark() { SetDword(0); }
    void SetDword(DWORD value) { SetRaw(REG_DWORD, &value, sizeof(value)); }
    void SetRaw(DWORD type, const void* data, DWORD size);
    void Remove();

private:
    bool m_existed = false;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
};
