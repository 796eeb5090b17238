#pragma once
// The exercise menu: nine buttons to the exercises, the total of correct
// exercises, a STOP to the info screen and a picture that changes on a click.

#include "kit/controls.h"
#include "kit/window.h"

namespace app {

class Program;

class frmkiesbasis final : public kit::Window {
 public:
  explicit frmkiesbasis(Program& program);

  kit::Shape Shape1;
  kit::Button Command1;
  kit::Button Command8;
  kit::Button Command2;
  kit::Button Command6;
  kit::Button Command3;
  kit::Button Command7;
  kit::Button cmdkies;
  kit::Button Command5;
  kit::Button Command4;
  kit::Label Label1;
  kit::Label lblgemaakt;
  kit::Button cmdeinde;
  // The picture cycle, in cycle order: imgmeisje, imgwit, imgchinees, imgkleur,
  // imgkleur2, imgkleur3.
  kit::Picture imgmeisje;
  kit::Picture imgwit;
  kit::Picture imgchinees;
  kit::Picture imgkleur;
  kit::Picture imgkleur2;
  kit::Picture imgkleur3;
  kit::Picture Image1;
  kit::Picture Image2;

  void Command1_Click();
  void cmdkies_Click();
  void cmdeinde_Click();

 protected:
  void Form_Load() override;
  void Form_Activate() override;

 private:
  // Opens an exercise screen from the menu; resetTotal writes "0" into the
  // total after the screen has taken it over.
  void Open(kit::Window& screen, bool resetTotal);
  void NextPicture(kit::Picture& shown, kit::Picture& next);
  Program& program_;
};

// The maker's web address, the tool tip of the logos.
inline constexpr const char* kMakerAddress = "https://pimpelwerk.example.org";

}  // namespace app
