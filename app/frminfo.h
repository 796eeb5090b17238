#pragma once
// The info screen, the last of a run: who made the program, a text scrolling
// through the status bar, and a progress bar that fills before the program ends.

#include <cstdint>

#include "kit/controls.h"
#include "kit/window.h"

namespace app {

class Program;

class frminfo final : public kit::Window {
 public:
  explicit frminfo(Program& program);

  kit::Frame Frame1;
  kit::Label lblmemo;
  kit::Label lblinstituut;
  kit::Label lblmening;
  kit::Label lblnaam;
  kit::Picture imgfoto;
  kit::Label lblbio1;
  kit::Label lblbio2;
  kit::Label lblbio3;
  kit::Label lblgeld;
  kit::Picture Imgzon;
  kit::Picture Image3;
  kit::Picture Image4;
  kit::StatusBar StatusBar1;
  kit::ProgressBar ProgressBar1;
  kit::Timer Timer1;

  std::int32_t tikteller = 0;

  void Timer1_Timer();

 protected:
  void Form_Load() override;
  void Form_Activate() override;

 private:
  // Puts the progress bar into the status bar's second panel (true) or takes
  // it back out (false).
  void PlaceProgressBar(bool intoStatusBar);
  Program& program_;
};

}  // namespace app
