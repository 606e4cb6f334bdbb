#pragma once
// Root of the class hierarchy: every component, stream and list item derives from it.
#include <string>

struct TClassInfo;

class TObject {
public:
  virtual ~TObject() = default;
  // Class descriptor (name, parent, published properties); see typeinfo.h.
  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }
  std::string ClassName() const;
  bool InheritsFrom(const std::string& className) const;  // case-insensitive, includes own class
};
