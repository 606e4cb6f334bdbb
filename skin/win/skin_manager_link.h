#pragma once
// What the skin data asks of the skin manager (the window-creation hook and
// its queued actions). The manager plugs itself in through SetSkinManagerMaker;
// until one does, skin data loads and applies its skin and skins no window.
#include <windows.h>

class TSkinData;

class TSkinManagerLink {
public:
  virtual ~TSkinManagerLink() = default;
  virtual void RegisterSkinData(TSkinData* data) = 0;
  virtual void UnregisterSkinData(TSkinData* data) = 0;
  virtual void InstallHook() = 0;
  // Queued actions: 1 skin, 2 unskin, 3 refresh; run interval ms later.
  virtual void SetAction(int action, int interval) = 0;
  virtual void SetActionSkinData(TSkinData* data) = 0;
  virtual bool SkinWindow(HWND window) = 0;
  // Frees the caption-button objects of every frame that uses the action's data.
  virtual void RefreshSkinData() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual int Started() const = 0;
  virtual void SetStarted(int started) = 0;
};

// The one manager, or null when none is made yet (or none is built in).
TSkinManagerLink* SkinManager();
// Makes the manager if there is none and a maker is set; returns it (or null).
TSkinManagerLink* EnsureSkinManager();
using TSkinManagerMaker = TSkinManagerLink* (*)();
void SetSkinManagerMaker(TSkinManagerMaker maker);
