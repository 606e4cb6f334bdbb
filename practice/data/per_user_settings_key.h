#pragma once
// Settings kept for one user where the machine's key may only be read: a
// value is read from the user's key first, one that only the machine's key
// holds is its starting value, and every change goes to the user's key.
#include <memory>

#include "practice/data/settings.h"

class TPerUserSettingsKey : public TSettingsKey {
public:
  TPerUserSettingsKey(std::unique_ptr<TSettingsKey> user, std::unique_ptr<TSettingsKey> machine);
  TStoredValue Read(const std::string& name) override;
  bool WriteInteger(const std::string& name, int value) override;
  bool WriteString(const std::string& name, const std::string& value) override;
  // A value of the user's key is moved there. One that only the machine's
  // key holds is copied to the user's key under the new name (the machine's
  // stays as it is); false for one of another kind than number or text.
  bool RenameValue(const std::string& from, const std::string& to) override;
  bool Writable() const override { return user_->Writable(); }
  std::string Name() const override { return user_->Name(); }

private:
  std::unique_ptr<TSettingsKey> user_, machine_;
};
