#pragma once
// A form on screen with a skin data the test fills, the list its skinned
// controls join, a canvas and a dispatcher: the ground every skinned-control
// family's tests stand on.
#include <memory>
#include <string>

#include "controls_fixture.h"
#include "screenshot.h"
#include "services_pump.h"
#include "skin/win/controls/control.h"
#include "skin/win/controls/dispatch.h"
#include "skin/win/data/skin_data.h"
#include "toolkit/win/canvas.h"

struct SkinFixture : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    data = std::make_unique<TSkinData>(nullptr);
  }
  void TearDown() override {
    dispatcher.reset();
    ControlsFixture::TearDown();
    frameOwner.reset();
  }
  // A dispatcher over the present skin data, in place of any earlier one.
  void NewDispatcher() { dispatcher = std::make_unique<TSkinDispatcher>(data.get(), &list, &canvas, frameOwner.get()); }
  // The form repainted whole and saved as the screenshot `name` in the artefacts.
  bool ShootForm(const std::string& name) {
    form->Repaint();
    Pump();
    PumpFor(100);
    return SaveWindowShot(form->Handle(), ArtefactFolder() + name);
  }

  std::unique_ptr<TSkinData> data;
  std::unique_ptr<TComponent> frameOwner = std::make_unique<TComponent>(nullptr);
  TSkinControlList list;
  TCanvas canvas;
  std::unique_ptr<TSkinDispatcher> dispatcher;
};
