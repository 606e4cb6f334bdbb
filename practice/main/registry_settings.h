#pragma once
// The settings store over the registry key kept open from start-up to shut-down.
#include "practice/data/settings.h"
#include "toolkit/win/registry.h"

class TRegistrySettingsKey : public TSettingsKey {
public:
  // A key opened read-only takes no writes (they return false untried).
  TRegistrySettingsKey(TRegistry& registry, bool writable = true) : registry_(registry), writable_(writable) {}
  bool ValueExists(const std::string& name) override;
  bool ReadInteger(const std::string& name, int& value) override;
  bool ReadString(const std::string& name, std::string& value) override;
  bool WriteInteger(const std::string& name, int value) override;
  bool WriteString(const std::string& name, const std::string& value) override;

private:
  TRegistry& registry_;
  bool writable_;
};
