#include "practice/main/registry_settings.h"

TRegistrySettingsKey::TRegistrySettingsKey() {
  writable_ = registry_.OpenKey(SettingsKeyPath, true);
  if (!writable_) registry_.OpenKeyReadOnly(SettingsKeyPath);
}

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
