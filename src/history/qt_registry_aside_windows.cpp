#include "history/qt_registry_aside.h"

#include <string>

#include <windows.h>

namespace naklon {
namespace {

// The program's stand-in for the user's branch, one for each running copy.
std::wstring standInName()
{
    return L"Software\\Naklon-" + std::to_wstring(GetCurrentProcessId());
}

} // namespace

// A key made volatile takes only volatile keys below it: the settings Qt
// would create there cannot be made, and Qt keeps them in memory only.
QtRegistryAside::QtRegistryAside()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, standInName().c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
            nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return;
    if (RegOverridePredefKey(HKEY_CURRENT_USER, key) != ERROR_SUCCESS) {
        RegCloseKey(key);
        RegDeleteKeyW(HKEY_CURRENT_USER, standInName().c_str());
        return;
    }
    key_ = key;
}

QtRegistryAside::~QtRegistryAside()
{
    if (!key_)
        return;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(static_cast<HKEY>(key_));
    RegDeleteTreeW(HKEY_CURRENT_USER, standInName().c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, standInName().c_str());
}

} // namespace naklon
