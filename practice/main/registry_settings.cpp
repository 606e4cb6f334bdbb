#include "practice/main/registry_settings.h"

#include <windows.h>

#include "practice/data/per_user_settings_key.h"

namespace {
std::string RootName(TRootKey root) {
  return root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}
}  // namespace

TRegistrySettingsKey::TRegistrySettingsKey(TRootKey root) {
  registry_.SetRootKey(root);
  writable_ = registry_.OpenKey(SettingsKeyPath, true);
  if (!writable_) registry_.OpenKeyReadOnly(SettingsKeyPath);
}

std::string TRegistrySettingsKey::Name() const { return RootName(registry_.RootKey()) + SettingsKeyPath; }

TStoredValue TRegistrySettingsKey::Read(const std::string& name) {
  TStoredValue v;
  if (!registry_.ValueExists(name)) return v;
  v.Kind = TStoredValue::TKind::Other;
  try {
    switch (registry_.GetDataType(name)) {
      case TRegDataType::rdInteger:
        v.Number = registry_.ReadInteger(name);
        v.Kind = TStoredValue::TKind::Number;
        break;
      case TRegDataType::rdString:
      case TRegDataType::rdExpandString:
        v.Text = registry_.ReadString(name);
        v.Kind = TStoredValue::TKind::Text;
        break;
      default:
        break;
    }
  } catch (const ERegistryException&) {
    // Data that does not read as its kind (a short number) is of no kind we use.
  }
  return v;
}

namespace {
// A write the system may refuse: false instead of the exception.
template <class F>
bool Stored(F write) {
  try {
    write();
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}
}  // namespace

bool TRegistrySettingsKey::WriteInteger(const std::string& name, int value) {
  return writable_ && Stored([&] { registry_.WriteInteger(name, value); });
}

bool TRegistrySettingsKey::WriteString(const std::string& name, const std::string& value) {
  return writable_ && Stored([&] { registry_.WriteString(name, value); });
}

bool TRegistrySettingsKey::RenameValue(const std::string& from, const std::string& to) {
  return writable_ && registry_.RenameValue(from, to);
}

std::unique_ptr<TSettingsKey> OpenSettingsKey() {
  auto machine = std::make_unique<TRegistrySettingsKey>(HKEY_LOCAL_MACHINE);
  if (machine->Writable()) return machine;
  return std::make_unique<TPerUserSettingsKey>(std::make_unique<TRegistrySettingsKey>(HKEY_CURRENT_USER),
                                               std::move(machine));
}

std::string SettingsNotKeptMessage() {
  return "注册表项“" + RootName(HKEY_LOCAL_MACHINE) + SettingsKeyPath + "”和“" + RootName(HKEY_CURRENT_USER) +
         SettingsKeyPath + "”都不允许写入：本次对设置和用户的更改，下次启动时不会保留。";
}
