#pragma once
// A registry key that refuses changes to everyone, as HKEY_LOCAL_MACHINE's
// keys refuse a standard user's on Windows (under Wine every program may
// change everything): it cannot be opened for setting values. (Wine still
// lets it be deleted and keys be made below it.) Undone when the object goes.
#include <windows.h>
#include <aclapi.h>

class TRefusedKey {
public:
  TRefusedKey(HKEY root, const wchar_t* path) : root_(root), path_(path) {
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ | WRITE_DAC, nullptr, &key_, nullptr) != ERROR_SUCCESS)
      return;
    if (GetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &old_, nullptr, &sd_) !=
        ERROR_SUCCESS)
      return;
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof everyone;
    if (!CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size)) return;
    EXPLICIT_ACCESSW rules[2] = {};
    rules[0].grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE;
    rules[0].grfAccessMode = DENY_ACCESS;
    rules[1].grfAccessPermissions = KEY_ALL_ACCESS;
    rules[1].grfAccessMode = GRANT_ACCESS;
    for (EXPLICIT_ACCESSW& r : rules) {
      r.grfInheritance = NO_INHERITANCE;
      r.Trustee.TrusteeForm = TRUSTEE_IS_SID;
      r.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
      r.Trustee.ptstrName = reinterpret_cast<LPWSTR>(everyone);
    }
    PACL refusing = nullptr;
    if (SetEntriesInAclW(2, rules, nullptr, &refusing) != ERROR_SUCCESS) return;
    refused_ = SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, refusing, nullptr) ==
               ERROR_SUCCESS;
    LocalFree(refusing);
  }
  ~TRefusedKey() {
    if (refused_) SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, old_, nullptr);
    if (sd_) LocalFree(sd_);
    if (key_) RegCloseKey(key_);
  }
  TRefusedKey(const TRefusedKey&) = delete;
  TRefusedKey& operator=(const TRefusedKey&) = delete;
  // The key now refuses a change.
  bool Refused() const {
    HKEY probe = nullptr;
    const bool opened = RegOpenKeyExW(root_, path_, 0, KEY_SET_VALUE, &probe) == ERROR_SUCCESS;
    if (opened) RegCloseKey(probe);
    return refused_ && !opened;
  }

private:
  HKEY root_;
  const wchar_t* path_;
  HKEY key_ = nullptr;
  PACL old_ = nullptr;
  PSECURITY_DESCRIPTOR sd_ = nullptr;
  bool refused_ = false;
};
