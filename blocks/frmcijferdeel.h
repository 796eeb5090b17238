#pragma once
// Division shown with base-ten blocks: the dividend lies in the block area as
// flats, rods and cubes; the divisor button shares it out over the divisor's
// frames and leaves the remainder behind. Nothing is typed and nothing scored.
//
// States: Idle (START, STOP) -> START -> Problem (only the divisor button) ->
// divisor button -> Shared (START, STOP). Every activation returns to Idle.
//
// Controls and variables are public so that test drivers can watch the screen;
// the pupil reaches only what is visible.

#include <array>
#include <cstdint>

#include "kit/exercise.h"

namespace blocks {

class frmcijferdeel final : public kit::ExerciseScreen {
 public:
  explicit frmcijferdeel(kit::Hub& hub);

  std::int16_t deeltalH = 0;
  std::int16_t deeltalT = 0;
  std::int16_t deeltalE = 0;
  std::int16_t deler = 0;
  std::int16_t deeltal = 0;
  std::int16_t quotient = 0;
  std::int16_t rest = 0;
  std::int16_t quotientH = 0;
  std::int16_t quotientT = 0;
  std::int16_t quotientE = 0;

  // Block area: red panels behind the dividend's blocks.
  kit::Label lblH;
  kit::Label lblT;
  kit::Group<kit::Label> lblshape2;
  kit::Group<kit::Label> lblmemo;  // (0) "rest", (1) the remainder
  kit::Group<kit::Picture> img100H;
  kit::Group<kit::Picture> img10T;
  kit::Group<kit::Picture> img1E;

  // Digit table and divisor.
  kit::Shape Shape1;
  kit::Label Label1;
  kit::Label lbldelertje;  // lies under the divisor buttons
  kit::Group<kit::TextBox> txtorde;
  kit::Group<kit::TextBox> txtquotient;  // the dividend's digits, read-only
  kit::Group<kit::Button> cmddeler;      // all on one place; only cmddeler(deler) is ever shown

  // Share frames: frame i holds share k = i + 1.
  kit::Group<kit::Frame> frmdeler;
  kit::Group<kit::Picture> img100deel;  // element k in frame k - 1; element 0 on element 1
  // The rod arrays img10T1 to img10T9 and the cube arrays img1E1 to img1E9:
  // img10Tk[k - 1] is img10T<k> and img1Ek[k - 1] is img1E<k>, both in frame
  // k - 1. In each, element 0 lies on element 1; cube element 10 is never shown.
  kit::Group<kit::Group<kit::Picture>> img10Tk;
  kit::Group<kit::Group<kit::Picture>> img1Ek;
  kit::Group<kit::Label> lbluitkomst;

  // The result sentence: "347 : 4 = 86 rest 3".
  kit::Label lbltot;
  kit::Label lbltekdeel;
  kit::Label lbltekdelers;
  kit::Label lbltekgelijk;
  kit::Label lblQ;
  kit::Label lbltekrest;
  kit::Label lblrest;

  kit::Button cmdstart;
  kit::Button cmdstop2;
  kit::Picture Image2;

  void cmdstart_Click();
  void cmddeler_Click(int Index);
  void cmdstop2_Click();

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  kit::Button& StopButton() override { return cmdstop2; }

 private:
  void ResetBlocks();
  void ShowShareTens();
  void HideShareTens();
  void ShowShareUnits();
  void HideShareUnits();
  // The result sentence's labels, left to right.
  std::array<kit::Label*, 7> Sentence();
};

}  // namespace blocks
