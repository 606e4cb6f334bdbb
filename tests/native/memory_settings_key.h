#pragma once
// A settings key in memory for the native tests and the fuzz targets: it logs
// the writes and can refuse every change.
#include <map>
#include <string>
#include <vector>

#include "practice/data/settings.h"

class TMemorySettingsKey : public TSettingsKey {
public:
  std::map<std::string, TStoredValue> Values;
  std::vector<std::string> Writes;
  bool Refuse = false;
  std::string KeyName = "HKEY_LOCAL_MACHINE\\Software\\Sunvelo\\Tapmira";

  TStoredValue Read(const std::string& name) override {
    auto it = Values.find(name);
    return it == Values.end() ? TStoredValue{} : it->second;
  }
  bool WriteInteger(const std::string& name, int value) override {
    return Write(name, {TStoredValue::TKind::Number, value, ""});
  }
  bool WriteString(const std::string& name, const std::string& value) override {
    return Write(name, {TStoredValue::TKind::Text, 0, value});
  }
  bool RenameValue(const std::string& from, const std::string& to) override {
    auto it = Values.find(from);
    if (Refuse || it == Values.end()) return false;
    TStoredValue moved = it->second;
    Values.erase(it);
    Values[to] = moved;
    return true;
  }

  bool Writable() const override { return !Refuse; }
  std::string Name() const override { return KeyName; }

private:
  bool Write(const std::string& name, const TStoredValue& value) {
    if (Refuse) return false;
    Writes.push_back(name);
    Values[name] = value;
    return true;
  }
};
