#pragma once
// The settings key in the registry, opened at start-up and kept until
// shut-down: for writing where the system allows it, otherwise read-only
// (writes are then refused untried), or not at all (nothing is found and
// every write is refused; the defaults hold for the run).
#include "practice/data/settings.h"
#include "toolkit/win/registry.h"

class TRegistrySettingsKey : public TSettingsKey {
public:
  TRegistrySettingsKey();
  bool Writable() const { return writable_; }
  TStoredValue Read(const std::string& name) override;
  bool WriteInteger(const std::string& name, int value) override;
  bool WriteString(const std::string& name, const std::string& value) override;
  bool RenameValue(const std::string& from, const std::string& to) override;

private:
  TRegistry registry_;
  bool writable_ = false;
};
