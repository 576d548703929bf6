#pragma once
// Owners of the system handles the component opens: registry keys, SetupAPI device sets and
// kernel objects (threads, files).
#include "base/unique_handle.h"

#include <windows.h>
#include <setupapi.h>

struct RegistryKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct DeviceInfoSetDestroyer {
    void operator()(HDEVINFO set) const { SetupDiDestroyDeviceInfoList(set); }
};

struct KernelHandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

typedef UniqueHandle<HKEY, RegistryKeyCloser> UniqueRegistryKey;
typedef UniqueHandle<HANDLE, KernelHandleCloser> UniqueKernelHandle;
typedef UniqueHandle<HDEVINFO, DeviceInfoSetDestroyer> UniqueDeviceInfoSet;

// CreateFile reports a file it could not open as INVALID_HANDLE_VALUE; the owner holds null then.
inline UniqueKernelHandle OwnFile(HANDLE file) {
    return UniqueKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// SetupAPI reports a set it could not open as INVALID_HANDLE_VALUE; the owner holds null then.
inline UniqueDeviceInfoSet OwnDeviceInfoSet(HDEVINFO set) {
    return UniqueDeviceInfoSet(set == INVALID_HANDLE_VALUE ? nullptr : set);
}
