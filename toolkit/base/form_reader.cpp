#include "toolkit/base/form_reader.h"

#include <set>
#include <utility>
#include <vector>

#include "toolkit/base/collection.h"
#include "toolkit/base/sysutils.h"

namespace {

const char* ExpectedFor(TPropKind kind) {
  switch (kind) {
    case TPropKind::Integer: return "integer";
    case TPropKind::Boolean: return "True or False";
    case TPropKind::Float: return "number";
    case TPropKind::String: return "string";
    case TPropKind::Enum: return "identifier";
    case TPropKind::Set: return "set";
    case TPropKind::Object: return "collection";
    case TPropKind::Event: return "handler name";
    case TPropKind::Strings: return "list of strings";
    case TPropKind::Binary: return "binary data";
  }
  return "value";
}

std::vector<std::string> SplitDotted(const std::string& name) {
  std::vector<std::string> parts;
  std::size_t b = 0;
  for (;;) {
    std::size_t d = name.find('.', b);
    parts.push_back(name.substr(b, d == std::string::npos ? std::string::npos : d - b));
    if (d == std::string::npos) return parts;
    b = d + 1;
  }
}

class TFormReader {
public:
  TFormReader(TComponent& root, const std::string& file) : root_(root), file_(file) {}

  void Read(const TFormObject& tree) {
    try {
      ReadRoot(tree);
    } catch (...) {
      for (auto& entry : loaded_) entry.first->SetLoading(false);
      throw;
    }
    // Every component read leaves the loading state before any Loaded runs;
    // the components go in reading order, the root last.
    for (auto& entry : loaded_) entry.first->SetLoading(false);
    for (std::size_t i = 1; i < loaded_.size(); ++i) FinishLoading(loaded_[i]);
    FinishLoading(loaded_.front());
  }

private:
  [[noreturn]] void Fail(int line, const std::string& property, const std::string& message) const {
    throw EFormDefError(file_, line, property, message);
  }

  void FinishLoading(const std::pair<TComponent*, int>& entry) {
    try {
      entry.first->Loaded();
    } catch (const std::exception& e) {
      Fail(entry.second, "", "loading of " + entry.first->GetName() + " cannot finish: " + e.what());
    }
  }

  void MarkLoading(TComponent* c, int line) {
    c->SetLoading(true);
    loaded_.emplace_back(c, line);
  }

  void ReadRoot(const TFormObject& tree) {
    if (!root_.InheritsFrom(tree.ClassName))
      Fail(tree.Line, "", "the definition is of class " + tree.ClassName + " but the form is a " + root_.ClassName());
    MarkLoading(&root_, tree.Line);
    root_.SetName(tree.Name);
    names_.insert(UpperCase(tree.Name));
    ApplyProps(root_, tree.Props, "");
    for (const TFormObject& child : tree.Children) ReadObject(child, &root_);
  }

  void ReadObject(const TFormObject& node, TComponent* parent) {
    if (!names_.insert(UpperCase(node.Name)).second) Fail(node.Line, "", "duplicate component name " + node.Name);
    TComponent* c = root_.FindComponent(node.Name);
    if (c) {
      if (!c->InheritsFrom(node.ClassName))
        Fail(node.Line, "", "component " + node.Name + " is a " + c->ClassName() + ", not a " + node.ClassName);
    } else {
      const TClassInfo* cls = FindComponentClass(node.ClassName);
      if (!cls) Fail(node.Line, "", "unknown class " + node.ClassName);
      if (!cls->Create) Fail(node.Line, "", "class " + node.ClassName + " cannot be created");
      try {
        c = cls->Create(&root_);
        c->SetName(node.Name);
      } catch (const std::exception& e) {
        Fail(node.Line, "", "cannot create " + node.Name + ": " + e.what());
      }
    }
    MarkLoading(c, node.Line);
    try {
      c->SetParentComponent(parent);
    } catch (const std::exception& e) {
      Fail(node.Line, "", "cannot place " + node.Name + " in " + parent->GetName() + ": " + e.what());
    }
    ApplyProps(*c, node.Props, "");
    for (const TFormObject& child : node.Children) ReadObject(child, c);
  }

  void ApplyProps(TObject& target, const std::vector<TFormProperty>& props, const std::string& prefix) {
    for (const TFormProperty& p : props) {
      std::string shown = prefix + p.Name;
      try {
        SetProperty(target, p, shown);
      } catch (const EFormDefError&) {
        throw;
      } catch (const std::exception& e) {
        Fail(p.Line, shown, e.what());
      }
    }
  }

  void SetProperty(TObject& target, const TFormProperty& p, const std::string& shown) {
    std::vector<std::string> parts = SplitDotted(p.Name);
    TObject* obj = &target;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      const TPropInfo* info = obj->ClassType().FindProp(parts[i]);
      if (!info) Fail(p.Line, shown, "unknown property " + parts[i] + " of " + obj->ClassName());
      if (info->Kind != TPropKind::Object) Fail(p.Line, shown, parts[i] + " is not an object property");
      TObject* sub = info->Get(*obj).Obj;
      if (!sub) Fail(p.Line, shown, parts[i] + " of " + obj->ClassName() + " is not assigned");
      obj = sub;
    }
    const TPropInfo* info = obj->ClassType().FindProp(parts.back());
    if (!info) Fail(p.Line, shown, "unknown property " + parts.back() + " of " + obj->ClassName());
    Assign(*obj, *info, p, shown);
  }

  [[noreturn]] void WrongKind(const TPropInfo& info, const TFormProperty& p, const std::string& shown) const {
    Fail(p.Value.Line, shown,
         std::string(ExpectedFor(info.Kind)) + " expected but " + FormValueKindName(p.Value.Kind) + " found");
  }

  void Assign(TObject& obj, const TPropInfo& info, const TFormProperty& p, const std::string& shown) {
    const TFormValue& v = p.Value;
    if (info.Kind == TPropKind::Object) {
      if (v.Kind != TFormValueKind::Collection) WrongKind(info, p, shown);
      auto* coll = dynamic_cast<TCollection*>(info.Get(obj).Obj);
      if (!coll) Fail(v.Line, shown, info.Name + " is not a collection");
      ReadCollection(*coll, v, shown);
      return;
    }
    if (!info.Set) Fail(p.Line, shown, "property " + info.Name + " is read-only");
    TPropValue out;
    out.Kind = info.Kind;
    switch (info.Kind) {
      case TPropKind::Integer:
        if (v.Kind == TFormValueKind::Ident) {
          if (!IdentToInteger(v.Str, out.Int)) Fail(v.Line, shown, "unknown identifier '" + v.Str + "'");
          break;
        }
        if (v.Kind != TFormValueKind::Integer) WrongKind(info, p, shown);
        out.Int = v.Int;
        break;
      case TPropKind::Float:
        if (v.Kind == TFormValueKind::Integer) out.Float = static_cast<double>(v.Int);
        else if (v.Kind == TFormValueKind::Float) out.Float = v.Float;
        else WrongKind(info, p, shown);
        break;
      case TPropKind::Boolean:
        if (v.Kind != TFormValueKind::Ident) WrongKind(info, p, shown);
        if (SameText(v.Str, "True")) out.Int = 1;
        else if (SameText(v.Str, "False")) out.Int = 0;
        else Fail(v.Line, shown, "True or False expected but '" + v.Str + "' found");
        break;
      case TPropKind::String:
        if (v.Kind != TFormValueKind::String) WrongKind(info, p, shown);
        out.Str = v.Str;
        break;
      case TPropKind::Enum: {
        if (v.Kind != TFormValueKind::Ident) WrongKind(info, p, shown);
        int ord = GetEnumValue(info, v.Str);
        if (ord < 0) Fail(v.Line, shown, "unknown value '" + v.Str + "' for " + info.Name);
        out.Int = ord;
        break;
      }
      case TPropKind::Set: {
        if (v.Kind != TFormValueKind::Set) WrongKind(info, p, shown);
        std::uint64_t bits = 0;
        for (const std::string& name : v.Names) {
          int ord = GetEnumValue(info, name);
          if (ord < 0 || ord >= 64) Fail(v.Line, shown, "unknown element '" + name + "' in set " + info.Name);
          bits |= std::uint64_t{1} << ord;
        }
        out.Int = static_cast<std::int64_t>(bits);
        break;
      }
      case TPropKind::Strings:
        if (v.Kind != TFormValueKind::List) WrongKind(info, p, shown);
        out.List = v.Strings;
        break;
      case TPropKind::Binary:
        if (v.Kind != TFormValueKind::Binary) WrongKind(info, p, shown);
        out.Bytes = v.Bytes;
        break;
      case TPropKind::Event: {
        if (v.Kind != TFormValueKind::Ident) WrongKind(info, p, shown);
        out.Method = root_.MethodAddress(v.Str);
        if (!out.Method.has_value())
          Fail(v.Line, shown, "unknown handler " + v.Str + " (no such method of " + root_.ClassName() + ")");
        try {
          info.Set(obj, out);
        } catch (const EPropertyError&) {
          Fail(v.Line, shown, "handler " + v.Str + " does not fit event " + info.Name);
        }
        return;
      }
      case TPropKind::Object:
        break;
    }
    info.Set(obj, out);
  }

  void ReadCollection(TCollection& coll, const TFormValue& v, const std::string& shown) {
    coll.BeginUpdate();
    try {
      coll.Clear();
      for (std::size_t i = 0; i < v.Items.size(); ++i) {
        const TFormItem& item = v.Items[i];
        std::string prefix = shown + "[" + std::to_string(i) + "].";
        TCollectionItem* made = nullptr;
        try {
          made = coll.Add();
        } catch (const std::exception& e) {
          Fail(item.Line, shown, e.what());
        }
        ApplyProps(*made, item.Props, prefix);
      }
    } catch (...) {
      coll.EndUpdate();
      throw;
    }
    coll.EndUpdate();
  }

  TComponent& root_;
  const std::string& file_;
  std::vector<std::pair<TComponent*, int>> loaded_;  // with the line of its object
  std::set<std::string> names_;
};

}  // namespace

void ReadForm(TComponent& root, const TFormObject& tree, const std::string& fileName) {
  TFormReader(root, fileName).Read(tree);
}

void ReadFormDefinition(TComponent& root, const std::string& text, const std::string& fileName) {
  ReadForm(root, ParseFormDefinition(text, fileName), fileName);
}
