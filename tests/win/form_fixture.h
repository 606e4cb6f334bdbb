#pragma once
// The shared set-up of the Windows tests: a form on screen, errors recorded
// instead of shown, and input delivered the way the system delivers it (posted
// to a window, pumped through the application).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app_support.h"
#include "toolkit/win/app_errors.h"

struct FormFixture : ::testing::Test {
  void SetUp() override {
    FreshApplication();
    SetExceptionReport([this](const std::string& m) { reports.push_back(m); });
    form = new TForm(Application);
    form->SetBounds(20, 20, 640, 480);
  }
  void TearDown() override { delete form; }
  static void Pump() { PumpMessages(); }
  // A key as the keyboard delivers it: posted to the window; the loop
  // translates it into its character.
  static void PressKey(HWND w, WORD vk) {
    PostMessageW(w, WM_KEYDOWN, vk, 1);
    PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
    Pump();
  }
  TForm* form = nullptr;
  std::vector<std::string> reports;
};
