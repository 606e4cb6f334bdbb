#include "practice/main/registry_settings.h"

bool TRegistrySettingsKey::ValueExists(const std::string& name) { return registry_.ValueExists(name); }

bool TRegistrySettingsKey::ReadInteger(const std::string& name, int& value) {
  if (registry_.GetDataType(name) != TRegDataType::rdInteger) return false;
  try {
    value = registry_.ReadInteger(name);
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}

bool TRegistrySettingsKey::ReadString(const std::string& name, std::string& value) {
  TRegDataType t = registry_.GetDataType(name);
  if (t != TRegDataType::rdString && t != TRegDataType::rdExpandString) return false;
  try {
    value = registry_.ReadString(name);
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}

bool TRegistrySettingsKey::WriteInteger(const std::string& name, int value) {
  if (!writable_) return false;
  try {
    registry_.WriteInteger(name, value);
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}

bool TRegistrySettingsKey::WriteString(const std::string& name, const std::string& value) {
  if (!writable_) return false;
  try {
    registry_.WriteString(name, value);
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}
