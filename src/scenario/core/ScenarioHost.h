#pragma once

namespace velmora {

enum class PresetList { Population, Rates };

// What the file operations ask of the window and the program around them.
class ScenarioHost {
 public:
  virtual ~ScenarioHost() = default;
  // The selected item of a preset list, -1 when none is selected.
  virtual int SelectedPreset(PresetList list) = 0;
  // The only signal of success.
  virtual void Beep() = 0;
  // Ask the frame for a Reset, which runs from the event loop shortly after.
  virtual void RequestReset() = 0;
  // Give the pyramid window the focus; false when it is closed.
  virtual bool FocusPyramid() = 0;
};

}  // namespace velmora
