#pragma once
// Written division of a three-digit number without remainder.

#include "kit/exercise.h"

namespace written {

class frmcijferdeel0 final : public kit::SeriesScreen {
 public:
  explicit frmcijferdeel0(kit::Hub& hub);

 protected:
  void cmdstart_Click() override { StartRules(); }
  void cmdcontrole_Click() override {}
  void ClearBoard() override { ClearFrame(); }
  kit::TextBox* FirstQuotientBox() override { return nullptr; }
};

}  // namespace written
