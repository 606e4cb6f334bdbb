#include "practice/data/per_user_settings_key.h"

#include <utility>

TPerUserSettingsKey::TPerUserSettingsKey(std::unique_ptr<TSettingsKey> user, std::unique_ptr<TSettingsKey> machine)
    : user_(std::move(user)), machine_(std::move(machine)) {}

TStoredValue TPerUserSettingsKey::Read(const std::string& name) {
  TStoredValue own = user_->Read(name);
  return own.Kind != TStoredValue::TKind::Absent ? own : machine_->Read(name);
}

bool TPerUserSettingsKey::WriteInteger(const std::string& name, int value) { return user_->WriteInteger(name, value); }

bool TPerUserSettingsKey::WriteString(const std::string& name, const std::string& value) {
  return user_->WriteString(name, value);
}

bool TPerUserSettingsKey::RenameValue(const std::string& from, const std::string& to) {
  if (user_->Read(from).Kind != TStoredValue::TKind::Absent) return user_->RenameValue(from, to);
  const TStoredValue machine = machine_->Read(from);
  switch (machine.Kind) {
    case TStoredValue::TKind::Number: return user_->WriteInteger(to, machine.Number);
    case TStoredValue::TKind::Text: return user_->WriteString(to, machine.Text);
    default: return false;
  }
}
