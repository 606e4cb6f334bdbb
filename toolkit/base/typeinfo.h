#pragma once
// Class descriptors and properties readable and writable by name.
//
// Every class of the component model describes itself with a TClassInfo: its
// name, its parent and its published properties. The form reader creates
// components by class name and sets their properties by name; the skin engine
// reads and writes properties of controls it knows nothing else about.
#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "toolkit/base/exception.h"
#include "toolkit/base/object.h"

class TComponent;

enum class TPropKind { Integer, Boolean, Float, String, Enum, Set, Object, Event, Strings, Binary };

// A property value in transit. Which fields matter depends on Kind.
struct TPropValue {
  TPropKind Kind = TPropKind::Integer;
  std::int64_t Int = 0;              // Integer, Boolean (0/1), Enum ordinal, Set bits
  double Float = 0;                  // Float
  std::string Str;                   // String
  TObject* Obj = nullptr;            // Object (owned by the property's holder)
  std::any Method;                   // Event: a std::function of the event's own type
  std::vector<std::string> List;     // Strings
  std::vector<std::uint8_t> Bytes;   // Binary

  static TPropValue OfInt(std::int64_t v) { TPropValue p; p.Int = v; return p; }
  static TPropValue OfBool(bool v) { TPropValue p; p.Kind = TPropKind::Boolean; p.Int = v; return p; }
  static TPropValue OfString(std::string v) { TPropValue p; p.Kind = TPropKind::String; p.Str = std::move(v); return p; }
};

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  std::vector<std::string> EnumNames;  // Enum and Boolean: names by ordinal; Set: names by bit
  std::function<TPropValue(const TObject&)> Get;
  std::function<void(TObject&, const TPropValue&)> Set;  // empty: read-only
};

struct TClassInfo {
  const char* Name;
  const TClassInfo* Parent;
  TComponent* (*Create)(TComponent* owner);  // null for abstract classes
  std::vector<TPropInfo> Props;              // own properties; ancestors' are found through Parent

  // Case-insensitive search through this class and its ancestors; null when absent.
  const TPropInfo* FindProp(const std::string& name) const;
  bool InheritsFrom(const TClassInfo& other) const;
};

// Declares a class's descriptor inside its body.
#define TK_CLASS(T)                                                   \
 public:                                                              \
  static const TClassInfo& StaticClass();                             \
  const TClassInfo& ClassType() const override { return StaticClass(); }

// --- Properties by name -----------------------------------------------------

bool IsPublishedProp(const TObject* obj, const std::string& name);
const TPropInfo* GetPropInfo(const TObject* obj, const std::string& name);
// These raise EPropertyError when the property is absent, read-only or of another kind.
TPropValue GetPropValue(const TObject& obj, const std::string& name);
void SetPropValue(TObject& obj, const std::string& name, const TPropValue& value);
std::int64_t GetOrdProp(const TObject& obj, const std::string& name);   // Integer, Boolean, Enum, Set
void SetOrdProp(TObject& obj, const std::string& name, std::int64_t value);
std::string GetStrProp(const TObject& obj, const std::string& name);
void SetStrProp(TObject& obj, const std::string& name, const std::string& value);
TObject* GetObjectProp(const TObject& obj, const std::string& name);
std::string GetEnumName(const TPropInfo& prop, std::int64_t ordinal);
int GetEnumValue(const TPropInfo& prop, const std::string& name);  // -1 when unknown
// Enumerations and Booleans by identifier ("alClient", "True"/"False"); the
// setter matches without regard to case and raises EPropertyError for an
// identifier the property does not have.
std::string GetEnumProp(const TObject& obj, const std::string& name);
void SetEnumProp(TObject& obj, const std::string& name, const std::string& value);

// --- Class registry (for the form reader) -----------------------------------

void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindComponentClass(const std::string& name);  // case-insensitive

// --- Integer constants by name (colours as "clTeal" in form definitions) ------

using TIdentToInt = bool (*)(const std::string& ident, std::int64_t& value);
void RegisterIntegerIdents(TIdentToInt convert);
bool IdentToInteger(const std::string& ident, std::int64_t& value);

// --- Building descriptors ---------------------------------------------------

namespace typeinfo_detail {
template <class V> struct Kind;
template <> struct Kind<int> { static constexpr TPropKind value = TPropKind::Integer; };
template <> struct Kind<long> { static constexpr TPropKind value = TPropKind::Integer; };
template <> struct Kind<long long> { static constexpr TPropKind value = TPropKind::Integer; };
template <> struct Kind<unsigned> { static constexpr TPropKind value = TPropKind::Integer; };
template <> struct Kind<std::uint16_t> { static constexpr TPropKind value = TPropKind::Integer; };
template <> struct Kind<bool> { static constexpr TPropKind value = TPropKind::Boolean; };
template <> struct Kind<double> { static constexpr TPropKind value = TPropKind::Float; };
template <> struct Kind<std::string> { static constexpr TPropKind value = TPropKind::String; };

template <class V> TPropValue Wrap(const V& v) {
  TPropValue p;
  if constexpr (std::is_same_v<V, std::string>) { p.Kind = TPropKind::String; p.Str = v; }
  else if constexpr (std::is_same_v<V, double>) { p.Kind = TPropKind::Float; p.Float = v; }
  else if constexpr (std::is_same_v<V, bool>) { p.Kind = TPropKind::Boolean; p.Int = v; }
  else if constexpr (std::is_enum_v<V>) { p.Kind = TPropKind::Enum; p.Int = static_cast<std::int64_t>(v); }
  else { p.Kind = TPropKind::Integer; p.Int = static_cast<std::int64_t>(v); }
  return p;
}
template <class V> V Unwrap(const TPropValue& p) {
  if constexpr (std::is_same_v<V, std::string>) return p.Str;
  else if constexpr (std::is_same_v<V, double>) return p.Kind == TPropKind::Float ? p.Float : static_cast<double>(p.Int);
  else if constexpr (std::is_same_v<V, bool>) return p.Int != 0;
  else if constexpr (std::is_integral_v<V>) {
    // A value the property cannot hold is refused rather than cut; a signed
    // property also takes its width's bit pattern written unsigned ($FF00000D).
    using U = std::make_unsigned_t<V>;
    if (p.Int < static_cast<std::int64_t>(std::numeric_limits<V>::min()) ||
        (p.Int > 0 && static_cast<std::uint64_t>(p.Int) > static_cast<std::uint64_t>(std::numeric_limits<U>::max())))
      throw EPropertyError("value " + std::to_string(p.Int) + " is out of range");
    return static_cast<V>(p.Int);
  } else return static_cast<V>(p.Int);
}
template <class V> using Plain = std::remove_cv_t<std::remove_reference_t<V>>;
}  // namespace typeinfo_detail

// Fluent builder of a class's descriptor:
//   static const TClassInfo info = TClassBuilder<TLabel>("TLabel", &TGraphicControl::StaticClass())
//       .Creatable()
//       .Prop("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize)
//       .Build();
template <class C>
class TClassBuilder {
public:
  TClassBuilder(const char* name, const TClassInfo* parent) : info_{name, parent, nullptr, {}} {}

  TClassBuilder& Creatable() {
    info_.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    return *this;
  }

  // Integer, Boolean, Float and String properties from a getter and an optional setter.
  template <class G, class S = std::nullptr_t>
  TClassBuilder& Prop(const std::string& name, G getter, S setter = nullptr) {
    using V = typeinfo_detail::Plain<decltype((std::declval<const C&>().*getter)())>;
    TPropInfo p;
    p.Name = name;
    p.Kind = typeinfo_detail::Kind<V>::value;
    if constexpr (std::is_same_v<V, bool>) p.EnumNames = {"False", "True"};
    p.Get = [getter](const TObject& o) { return typeinfo_detail::Wrap<V>((static_cast<const C&>(o).*getter)()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.Set = [setter](TObject& o, const TPropValue& v) { (static_cast<C&>(o).*setter)(typeinfo_detail::Unwrap<V>(v)); };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  // An enumeration with its identifiers in ordinal order.
  template <class G, class S>
  TClassBuilder& Enum(const std::string& name, G getter, S setter, std::vector<std::string> names) {
    using V = typeinfo_detail::Plain<decltype((std::declval<const C&>().*getter)())>;
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Enum;
    p.EnumNames = std::move(names);
    p.Get = [getter](const TObject& o) { return typeinfo_detail::Wrap<V>((static_cast<const C&>(o).*getter)()); };
    p.Set = [setter](TObject& o, const TPropValue& v) { (static_cast<C&>(o).*setter)(static_cast<V>(v.Int)); };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  // A set: bit k stands for names[k]; the value is an unsigned bit mask.
  template <class G, class S>
  TClassBuilder& Set(const std::string& name, G getter, S setter, std::vector<std::string> names) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Set;
    p.EnumNames = std::move(names);
    p.Get = [getter](const TObject& o) {
      TPropValue v = TPropValue::OfInt(static_cast<std::int64_t>((static_cast<const C&>(o).*getter)()));
      v.Kind = TPropKind::Set;
      return v;
    };
    p.Set = [setter](TObject& o, const TPropValue& v) { (static_cast<C&>(o).*setter)(static_cast<unsigned>(v.Int)); };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  // A persistent sub-object owned by the holder (Font, Items, Glyph...): its own
  // properties are set through it ("Font.Name"). An optional assigner copies another.
  template <class G>
  TClassBuilder& Object(const std::string& name, G getter) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Object;
    p.Get = [getter](const TObject& o) {
      TPropValue v; v.Kind = TPropKind::Object;
      v.Obj = const_cast<TObject*>(static_cast<const TObject*>((static_cast<const C&>(o).*getter)()));
      return v;
    };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  // A list of strings (Items, Lines).
  template <class G, class S>
  TClassBuilder& Strings(const std::string& name, G getter, S setter) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Strings;
    p.Get = [getter](const TObject& o) { TPropValue v; v.Kind = TPropKind::Strings; v.List = (static_cast<const C&>(o).*getter)(); return v; };
    p.Set = [setter](TObject& o, const TPropValue& v) { (static_cast<C&>(o).*setter)(v.List); };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  // Binary data read from a form definition (the skin's container).
  template <class G, class S>
  TClassBuilder& Binary(const std::string& name, G getter, S setter) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Binary;
    p.Get = [getter](const TObject& o) { TPropValue v; v.Kind = TPropKind::Binary; v.Bytes = (static_cast<const C&>(o).*getter)(); return v; };
    p.Set = [setter](TObject& o, const TPropValue& v) { (static_cast<C&>(o).*setter)(v.Bytes); };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  // An event: a std::function member of type E. Handlers bind by name (see forms).
  template <class E>
  TClassBuilder& Event(const std::string& name, E C::*field) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TPropKind::Event;
    p.Get = [field](const TObject& o) { TPropValue v; v.Kind = TPropKind::Event; v.Method = static_cast<const C&>(o).*field; return v; };
    p.Set = [field, name](TObject& o, const TPropValue& v) {
      const E* f = std::any_cast<E>(&v.Method);
      if (!f) throw EPropertyError("handler does not fit event " + name);
      static_cast<C&>(o).*field = *f;
    };
    info_.Props.push_back(std::move(p));
    return *this;
  }

  TClassInfo Build() { return std::move(info_); }

private:
  TClassInfo info_;
};
