#include "toolkit/base/typeinfo.h"

#include <map>

#include "toolkit/base/sysutils.h"

const TPropInfo* TClassInfo::FindProp(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const TPropInfo& p : c->Props)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (c == &other) return true;
  return false;
}

const TPropInfo* GetPropInfo(const TObject* obj, const std::string& name) {
  return obj ? obj->ClassType().FindProp(name) : nullptr;
}

bool IsPublishedProp(const TObject* obj, const std::string& name) { return GetPropInfo(obj, name) != nullptr; }

namespace {
const TPropInfo& Need(const TObject& obj, const std::string& name) {
  const TPropInfo* p = GetPropInfo(&obj, name);
  if (!p) throw EPropertyError(obj.ClassName() + " has no property " + name);
  return *p;
}
bool IsOrdinal(TPropKind k) {
  return k == TPropKind::Integer || k == TPropKind::Boolean || k == TPropKind::Enum || k == TPropKind::Set;
}
}  // namespace

TPropValue GetPropValue(const TObject& obj, const std::string& name) { return Need(obj, name).Get(obj); }

void SetPropValue(TObject& obj, const std::string& name, const TPropValue& value) {
  const TPropInfo& p = Need(obj, name);
  if (!p.Set) throw EPropertyError("property " + name + " of " + obj.ClassName() + " is read-only");
  p.Set(obj, value);
}

std::int64_t GetOrdProp(const TObject& obj, const std::string& name) {
  const TPropInfo& p = Need(obj, name);
  if (!IsOrdinal(p.Kind)) throw EPropertyError("property " + name + " is not ordinal");
  return p.Get(obj).Int;
}

void SetOrdProp(TObject& obj, const std::string& name, std::int64_t value) {
  const TPropInfo& p = Need(obj, name);
  if (!IsOrdinal(p.Kind)) throw EPropertyError("property " + name + " is not ordinal");
  TPropValue v = TPropValue::OfInt(value);
  v.Kind = p.Kind;
  SetPropValue(obj, name, v);
}

std::string GetStrProp(const TObject& obj, const std::string& name) {
  const TPropInfo& p = Need(obj, name);
  if (p.Kind != TPropKind::String) throw EPropertyError("property " + name + " is not a string");
  return p.Get(obj).Str;
}

void SetStrProp(TObject& obj, const std::string& name, const std::string& value) {
  const TPropInfo& p = Need(obj, name);
  if (p.Kind != TPropKind::String) throw EPropertyError("property " + name + " is not a string");
  SetPropValue(obj, name, TPropValue::OfString(value));
}

TObject* GetObjectProp(const TObject& obj, const std::string& name) {
  const TPropInfo& p = Need(obj, name);
  if (p.Kind != TPropKind::Object) throw EPropertyError("property " + name + " is not an object");
  return p.Get(obj).Obj;
}

std::string GetEnumName(const TPropInfo& prop, std::int64_t ordinal) {
  if (ordinal < 0 || ordinal >= static_cast<std::int64_t>(prop.EnumNames.size())) return std::to_string(ordinal);
  return prop.EnumNames[static_cast<std::size_t>(ordinal)];
}

int GetEnumValue(const TPropInfo& prop, const std::string& name) {
  for (std::size_t i = 0; i < prop.EnumNames.size(); ++i)
    if (SameText(prop.EnumNames[i], name)) return static_cast<int>(i);
  return -1;
}

namespace {
const TPropInfo& NeedEnum(const TObject& obj, const std::string& name) {
  const TPropInfo& p = Need(obj, name);
  if (p.Kind != TPropKind::Enum && p.Kind != TPropKind::Boolean)
    throw EPropertyError("property " + name + " is not an enumeration");
  return p;
}
}  // namespace

std::string GetEnumProp(const TObject& obj, const std::string& name) {
  const TPropInfo& p = NeedEnum(obj, name);
  return GetEnumName(p, p.Get(obj).Int);
}

void SetEnumProp(TObject& obj, const std::string& name, const std::string& value) {
  const TPropInfo& p = NeedEnum(obj, name);
  int ord = GetEnumValue(p, value);
  if (ord < 0) throw EPropertyError("unknown value '" + value + "' for " + p.Name);
  TPropValue v = TPropValue::OfInt(ord);
  v.Kind = p.Kind;
  SetPropValue(obj, name, v);
}

namespace {
std::map<std::string, const TClassInfo*>& Registry() {
  static std::map<std::string, const TClassInfo*> r;
  return r;
}
}  // namespace

void RegisterComponentClass(const TClassInfo& info) { Registry()[UpperCase(info.Name)] = &info; }

const TClassInfo* FindComponentClass(const std::string& name) {
  auto it = Registry().find(UpperCase(name));
  return it == Registry().end() ? nullptr : it->second;
}

namespace {
std::vector<TIdentToInt>& IntIdents() {
  static std::vector<TIdentToInt> v;
  return v;
}
}  // namespace

void RegisterIntegerIdents(TIdentToInt convert) {
  for (TIdentToInt c : IntIdents())
    if (c == convert) return;
  IntIdents().push_back(convert);
}

bool IdentToInteger(const std::string& ident, std::int64_t& value) {
  for (TIdentToInt c : IntIdents())
    if (c(ident, value)) return true;
  return false;
}
