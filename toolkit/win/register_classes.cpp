#include "toolkit/win/application.h"
#include "toolkit/win/color.h"

namespace {
bool ColorIdent(const std::string& ident, std::int64_t& value) {
  TColor c;
  if (!IdentToColor(ident, c)) return false;
  value = c;
  return true;
}
}  // namespace

void RegisterToolkitClasses() {
  RegisterIntegerIdents(ColorIdent);
  RegisterComponentClass(TForm::StaticClass());
}
