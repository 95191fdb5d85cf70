// Small system helpers: internet connection state, task-bar height, registry value, opening a web address.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// Root keys of the registry, as callers name them.
inline constexpr int32_t HKEY_CLASSES_ROOT = static_cast<int32_t>(0x80000000u);
inline constexpr int32_t HKEY_CURRENT_USER = static_cast<int32_t>(0x80000001u);
inline constexpr int32_t HKEY_LOCAL_MACHINE = static_cast<int32_t>(0x80000002u);

// "Online" when the machine has a network connection, else "Offline".
QString GetConnectionState();
// Height in twips of a task bar along the top or bottom edge of the screen; 0
// when there is none or it stands at the left or right edge.
int32_t GetTaskbarHeight();
// Reads a registry value into value. This platform has no registry: the
// result is always False and value "".
bool ReadRegistryValue(int32_t hKey, const QString& subKey, const QString& valueName, QString& value);
// Opens a web address in the user's browser; "http://" is put in front only
// when the address names no scheme. Without a browser the user is told (OpenWithDesktop).
void OpenUrl(intptr_t hWnd, const QString& url);
// Opens a file, folder or web address with the desktop's program for it. When no program takes it, a
// message box says so and names it (the desktop itself would tell only the error output); false then.
bool OpenWithDesktop(const QString& target);

} // namespace qv
