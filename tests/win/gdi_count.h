#pragma once
// The process's GDI objects, counted by asking every slot of its GDI handle
// table for its type (a handle whose high word is 0 names its slot whatever
// the slot's generation): Wine's GetGuiResources answers 0.
#include <windows.h>

inline long CountGdiSlots() {
  long n = 0;
  for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++n;
  return n;
}
