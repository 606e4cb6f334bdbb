#include "skin/win/controls/boxes/sizer.h"

const TClassInfo& TSkinSizer::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSkinSizer>("TSkinSizer", &TSkinControl::StaticClass()).Build();
  return info;
}

TSkinSizer::TSkinSizer(TComponent* owner) : TSkinControl(owner) {}
