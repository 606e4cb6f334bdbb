#pragma once
// The skin engine's private window messages (plain numbers, not registered).
// Paint-into-DC requests and the "skinned" notice carry SKIN_MESSAGE_TAG in LParam.
#include <windows.h>

#include "toolkit/win/messages.h"

constexpr UINT SM_REAPPLYSKIN = 0x3401;       // re-apply the skin to this window
constexpr UINT SM_REPAINTFRAME = 0x3502;      // repaint the skinned frame
constexpr UINT SM_COMPLETESKIN = 0x3503;      // finish skinning (posted at attach, LParam 1000)
constexpr UINT SM_SKINCONTROL = 0x3506;       // WParam > 0: skinning of a control on, else off
constexpr UINT SM_CAPTIONACTION = 0x3514;     // a caption button of the application's own was clicked
constexpr UINT SM_CAPTIONVISIBLE = 0x3515;    // is this custom caption button visible? (> 0: yes)
constexpr UINT SM_REPAINTMDIFRAME = 0x3516;   // repaint the MDI frame (to the MDI client)
constexpr UINT SM_CONTROLRECREATED = 0x3517;  // a control's window was re-created (WParam: the new one)
constexpr UINT SM_MENUCLICKAT = 0x3518;       // open the menu-bar pull-down under a screen point
constexpr UINT SM_ISSKINNED = 0x3523;         // answered 1 by every skinned window
constexpr UINT SM_PAINTEDIT = 0xBC4A;
constexpr UINT SM_PAINTFRAMETO = 0xBC4B;
constexpr UINT SM_ISSKINNEDFORM = 0xBC4D;
constexpr UINT SM_SKINNED = 0xBC4E;           // notice: this window has been skinned

// Is this window skinned already (answers SM_ISSKINNED with 1)?
inline bool IsWindowSkinned(HWND window) {
  return SendMessageW(window, SM_ISSKINNED, 0, 0) == 1;
}
