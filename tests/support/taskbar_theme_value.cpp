#include "tests/support/taskbar_theme_value.h"

#include "tray/taskbar_theme.h"
#include "tests/support/registry_write.h"

TaskbarThemeValue::TaskbarThemeValue() {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, TaskbarTheme::kKey, TaskbarTheme::kValue, RRF_RT_ANY, &m_type, nullptr,
                     &size) != ERROR_SUCCESS)
        return;
    m_data.resize(size);
    m_existed = RegGetValueW(HKEY_CURRENT_USER, TaskbarTheme::kKey, TaskbarTheme::kValue, RRF_RT_ANY, &m_type,
                             m_data.data(), &size) == ERROR_SUCCESS;
    m_data.resize(size);
}

TaskbarThemeValue::~TaskbarThemeValue() {
    if (m_existed) SetRaw(m_type, m_data.data(), static_cast<DWORD>(m_data.size()));
    else Remove();
}

void TaskbarThemeValue::SetRaw(DWORD type, const void* data, DWORD size) {
    WriteRegistryValue(HKEY_CURRENT_USER, TaskbarTheme::kKey, TaskbarTheme::kValue, type, data, size);
}

void TaskbarThemeValue::Remove() { RegDeleteKeyValueW(HKEY_CURRENT_USER, TaskbarTheme::kKey, TaskbarTheme::kValue); }
