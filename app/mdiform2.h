#pragma once
// The main window: the backdrop of the whole program, with the menu bar that
// offers the way to the exercise menu.

#include "kit/window.h"

namespace app {

class Program;

class MDIForm2 final : public kit::FrameWindow {
 public:
  explicit MDIForm2(Program& program);
  kit::MenuItem& aftrek2;  // "OPENEN " -> "&Basis"

  void aftrek2_Click();

 protected:
  void Form_Load() override;  // MDIForm_Load
  // Centres again once shown: only then does the window know its frame.
  void Form_Activate() override;

 private:
  Program& program_;
};

}  // namespace app
