#pragma once
// The settings key in the registry, opened at start-up and kept until
// shut-down.
#include <memory>
#include <string>

#include "practice/data/settings.h"
#include "toolkit/win/registry.h"

// The key under one root: for writing where the system allows it, otherwise
// read-only (writes are then refused untried), or not at all (nothing is
// found and every write is refused).
class TRegistrySettingsKey : public TSettingsKey {
public:
  explicit TRegistrySettingsKey(TRootKey root);
  bool Writable() const override { return writable_; }
  std::string Name() const override;
  TStoredValue Read(const std::string& name) override;
  bool WriteInteger(const std::string& name, int value) override;
  bool WriteString(const std::string& name, const std::string& value) override;
  bool RenameValue(const std::string& from, const std::string& to) override;

private:
  TRegistry registry_;
  bool writable_ = false;
};

// The key under HKEY_LOCAL_MACHINE where it may be written; otherwise the
// one under HKEY_CURRENT_USER, over HKEY_LOCAL_MACHINE's values as starting
// values (TPerUserSettingsKey).
std::unique_ptr<TSettingsKey> OpenSettingsKey();

// The learner's message when neither key can be written.
std::string SettingsNotKeptMessage();
