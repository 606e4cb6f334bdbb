#include "skin/win/skin_manager_link.h"

#include <memory>

namespace {
TSkinManagerMaker maker = nullptr;
std::unique_ptr<TSkinManagerLink>& Manager() {
  static std::unique_ptr<TSkinManagerLink> manager;
  return manager;
}
}  // namespace

TSkinManagerLink* SkinManager() { return Manager().get(); }

TSkinManagerLink* EnsureSkinManager() {
  if (!Manager() && maker) Manager().reset(maker());
  return Manager().get();
}

void SetSkinManagerMaker(TSkinManagerMaker m) { maker = m; }
