// Form definitions from any text: parsed, written back and parsed again, then
// read into a form of stand-in components.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "form_standins.h"
#include "form_writer.h"
#include "toolkit/base/form_reader.h"

namespace {
const char kFile[] = "fuzz.form";

// An error names the file and a line of the text.
void CheckError(const EFormDefError& e, const std::string& text) {
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  Check(e.File() == kFile && e.Line() >= 1 && e.Line() <= lines && !e.Detail().empty());
  Check(std::string(e.what()).rfind(std::string(kFile) + "(" + std::to_string(e.Line()) + ")", 0) == 0);
}

// Every object and property lies between its object's first and last line
// (several may share a line).
void CheckLines(const TFormObject& o) {
  Check(!o.Name.empty() && !o.ClassName.empty() && o.Line <= o.EndLine);
  for (const TFormProperty& p : o.Props) Check(!p.Name.empty() && p.Line >= o.Line && p.Line <= o.EndLine);
  for (const TFormObject& c : o.Children) {
    Check(c.Line >= o.Line && c.EndLine <= o.EndLine);
    CheckLines(c);
  }
}

int CountObjects(const TFormObject& o) {
  int n = 1;
  for (const TFormObject& c : o.Children) n += CountObjects(c);
  return n;
}

// A read form holds one component per nested object, placed in the one around it,
// and the last value given to each string property.
void CheckRead(const TFormObject& node, const standin::TStandIn& c, const TComponent* parent) {
  Check(c.LoadedCalls == 1 && !c.IsLoading() && c.Parent == parent);
  for (const TFormProperty& p : node.Props) {
    const TPropInfo* info = c.ClassType().FindProp(p.Name);
    if (!info || info->Kind != TPropKind::String) continue;
    auto last = std::find_if(node.Props.rbegin(), node.Props.rend(),
                             [&](const TFormProperty& q) { return SameText(q.Name, p.Name); });
    Check(GetStrProp(c, p.Name) == last->Value.Str);
  }
  const TComponent& root = parent ? *c.Owner() : static_cast<const TComponent&>(c);
  for (const TFormObject& child : node.Children) {
    const auto* made = dynamic_cast<const standin::TStandIn*>(root.FindComponent(child.Name));
    Check(made && made->Owner() == &root && made->InheritsFrom(child.ClassName));
    CheckRead(child, *made, &c);
  }
}

void ReadIntoForm(const TFormObject& tree, const std::string& text) {
  const TClassInfo& formClass = standin::TRegistry::Get().FormClass(tree.ClassName);
  standin::TStandInForm form(nullptr, formClass);
  bool read = false;
  try {
    ReadForm(form, tree, kFile);
    read = true;
  } catch (const EFormDefError& e) {
    CheckError(e, text);
  }
  // Whatever happened, nothing is left loading; Loaded ran only after a whole read.
  Check(!form.IsLoading());
  for (int i = 0; i < form.ComponentCount(); ++i) {
    const auto& c = dynamic_cast<const standin::TStandIn&>(*form.Components(i));
    Check(!c.IsLoading() && c.LoadedCalls == (read ? 1 : 0));
  }
  if (!read) return;
  Check(form.GetName() == tree.Name && form.ComponentCount() + 1 == CountObjects(tree));
  CheckRead(tree, form, nullptr);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TFormObject tree;
  try {
    tree = ParseFormDefinition(text, kFile);
  } catch (const EFormDefError& e) {
    CheckError(e, text);
    return 0;
  }
  CheckLines(tree);
  // Written back, the definition parses to the same tree.
  const std::string again = formtext::Write(tree);
  TFormObject reparsed;
  try {
    reparsed = ParseFormDefinition(again, kFile);
  } catch (const EFormDefError&) {
    std::abort();
  }
  Check(formtext::Same(tree, reparsed));
  ReadIntoForm(tree, text);
  return 0;
}
