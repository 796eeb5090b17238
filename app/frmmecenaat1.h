#pragma once
// The welcome screen: who made the program, and the one big button that leads
// to the exercise menu.

#include "kit/controls.h"
#include "kit/window.h"

namespace app {

class Program;

class frmmecenaat1 final : public kit::Window {
 public:
  explicit frmmecenaat1(Program& program);

  kit::Frame Frame1;
  kit::Shape Shape3;
  kit::Label Label11;
  kit::Label lblpartner2;
  kit::Label Label4;
  kit::Label Label5;
  kit::Group<kit::Picture> Image1;
  kit::Button cmdkombinnen;

  void cmdkombinnen_Click();

 protected:
  void Form_Load() override;
  void Form_Activate() override;

 private:
  Program& program_;
};

}  // namespace app
