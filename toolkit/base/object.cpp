#include "toolkit/base/object.h"

#include "toolkit/base/sysutils.h"
#include "toolkit/base/typeinfo.h"

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info{"TObject", nullptr, nullptr, {}};
  return info;
}

std::string TObject::ClassName() const { return ClassType().Name; }

bool TObject::InheritsFrom(const std::string& className) const {
  for (const TClassInfo* c = &ClassType(); c; c = c->Parent)
    if (SameText(c->Name, className)) return true;
  return false;
}
