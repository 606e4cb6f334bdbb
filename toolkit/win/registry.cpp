#include "toolkit/win/registry.h"

#include <windows.h>

#include <vector>

#include "toolkit/base/gbk_wide.h"

namespace {
std::string Join(const std::string& base, const std::string& path) {
  if (!path.empty() && path[0] == '\\') return path.substr(1);
  if (base.empty()) return path;
  if (path.empty()) return base;
  return base + "\\" + path;
}
}  // namespace

TRegistry::TRegistry() : root_(HKEY_LOCAL_MACHINE) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(TRootKey root) {
  CloseKey();
  root_ = root;
}

TRootKey TRegistry::BaseFor(const std::string& path, std::wstring& relative) const {
  bool absolute = !path.empty() && path[0] == '\\';
  relative = GbkToWide(absolute ? path.substr(1) : path);
  return (absolute || !current_) ? root_ : current_;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
  std::wstring rel;
  HKEY base = BaseFor(path, rel);
  HKEY key = nullptr;
  // An existing key is opened, so that refused access is refused alike everywhere.
  LONG r = RegOpenKeyExW(base, rel.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (r == ERROR_FILE_NOT_FOUND && canCreate)
    r = RegCreateKeyExW(base, rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (r != ERROR_SUCCESS) return false;
  Adopt(key, base, path);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& path) {
  std::wstring rel;
  HKEY base = BaseFor(path, rel);
  HKEY key = nullptr;
  if (RegOpenKeyExW(base, rel.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  Adopt(key, base, path);
  return true;
}

void TRegistry::Adopt(TRootKey key, TRootKey base, const std::string& path) {
  std::string newPath = Join(base == current_ ? path_ : std::string(), path);
  CloseKey();
  current_ = key;
  path_ = newPath;
}

bool TRegistry::CreateKey(const std::string& path) {
  std::wstring rel;
  HKEY base = BaseFor(path, rel);
  HKEY key = nullptr;
  if (RegCreateKeyExW(base, rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool TRegistry::KeyExists(const std::string& path) {
  std::wstring rel;
  HKEY base = BaseFor(path, rel);
  HKEY key = nullptr;
  if (RegOpenKeyExW(base, rel.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void TRegistry::CloseKey() {
  if (current_) RegCloseKey(current_);
  current_ = nullptr;
  path_.clear();
}

TRootKey TRegistry::NeedKey(const std::string& what) const {
  if (!current_) throw ERegistryException("No registry key open for '" + what + "'");
  return current_;
}

bool TRegistry::ValueExists(const std::string& name) {
  if (!current_) return false;
  return RegQueryValueExW(current_, GbkToWide(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const std::string& name) {
  DWORD type = 0;
  if (!current_ || RegQueryValueExW(current_, GbkToWide(name).c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return TRegDataType::rdUnknown;
  switch (type) {
    case REG_SZ: return TRegDataType::rdString;
    case REG_EXPAND_SZ: return TRegDataType::rdExpandString;
    case REG_DWORD: return TRegDataType::rdInteger;
    case REG_BINARY: return TRegDataType::rdBinary;
    default: return TRegDataType::rdUnknown;
  }
}

int TRegistry::ReadInteger(const std::string& name) {
  HKEY key = NeedKey(name);
  DWORD type = 0, value = 0, size = sizeof(value);
  LONG r = RegQueryValueExW(key, GbkToWide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (r == ERROR_FILE_NOT_FOUND) throw ERegistryException("Registry value '" + name + "' does not exist");
  if (r != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
    throw ERegistryException("Invalid data type for '" + name + "'");
  return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  HKEY key = NeedKey(name);
  DWORD v = static_cast<DWORD>(value);
  if (RegSetValueExW(key, GbkToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof(v)) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

std::string TRegistry::ReadString(const std::string& name) {
  HKEY key = NeedKey(name);
  std::wstring wname = GbkToWide(name);
  DWORD type = 0, size = 0;
  LONG r = RegQueryValueExW(key, wname.c_str(), nullptr, &type, nullptr, &size);
  if (r == ERROR_FILE_NOT_FOUND) return std::string();
  if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    throw ERegistryException("Invalid data type for '" + name + "'");
  // The value may change between the two calls: retry while it grows.
  std::vector<wchar_t> buf;
  for (int tries = 0;; ++tries) {
    if (tries == 8) throw ERegistryException("Failed to get data for '" + name + "'");
    // Room for every byte (an odd count too) and a terminator.
    buf.assign((size + 1) / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>((buf.size() - 1) * sizeof(wchar_t));
    r = RegQueryValueExW(key, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got);
    if (r == ERROR_MORE_DATA) {
      size = got > size ? got : size + sizeof(wchar_t);
      continue;
    }
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
      throw ERegistryException("Invalid data type for '" + name + "'");
    size = got;
    break;
  }
  // Stored data need not end in a NUL, and may hold an odd byte count.
  std::wstring text(buf.data(), size / sizeof(wchar_t));
  std::size_t nul = text.find(L'\0');
  if (nul != std::wstring::npos) text.resize(nul);
  return WideToGbk(text);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  HKEY key = NeedKey(name);
  std::wstring w = GbkToWide(value);
  DWORD bytes = static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(key, GbkToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()), bytes) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

bool TRegistry::RenameValue(const std::string& oldName, const std::string& newName) {
  if (!current_) return false;
  const std::wstring from = GbkToWide(oldName), to = GbkToWide(newName);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(current_, from.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  std::vector<BYTE> data(size + 1);
  if (RegQueryValueExW(current_, from.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return false;
  return RegSetValueExW(current_, to.c_str(), 0, type, data.data(), size) == ERROR_SUCCESS &&
         RegDeleteValueW(current_, from.c_str()) == ERROR_SUCCESS;
}
