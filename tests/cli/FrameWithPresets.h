#pragma once

#include <string>

#include "../scenario_core/TempFolder.h"
#include "hardening/Presets.h"
#include "scenario/FormSetting.h"
#include "support/FrameFixture.h"

namespace velmora::testing {

// The real frame with the shipped presets in its Data folder, as a user
// starts it: the desktop side of the command line's comparisons.
class FrameWithPresets : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    M().AppPath = app.String();
    InstallPresets(app.Path() / "Data");
  }
  FormSetting& Settings() { return Frame().Windows().Setting(); }
  std::string Data(const char* name) { return (app.Path() / "Data" / name).string(); }

  TempFolder app;  // the program's folder
};

}  // namespace velmora::testing
