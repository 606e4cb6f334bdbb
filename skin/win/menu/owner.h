#pragma once
// Owner-drawn menus of skinned windows: the entries of a menu tree are marked
// owner-drawn (their text kept), and toolkit menu items get the skin's draw
// and measure handlers.
#include <windows.h>

#include "toolkit/win/menus.h"

class TCustomForm;

// Marks (on) or unmarks every entry of a menu tree MFT_OWNERDRAW; the type
// alone changes, so every entry keeps its text.
void SetMenuOwnerDraw(HMENU menu, bool on);
// The skin's draw and measure handlers for items of menus owned by form; they
// find the form's skinned frame when they run and draw plainly without one.
TMenuDrawItemEvent SkinMenuItemDrawHandler(TCustomForm* form);
TMenuMeasureItemEvent SkinMenuItemMeasureHandler(TCustomForm* form);
