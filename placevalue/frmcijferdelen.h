#pragma once
// Place-value division on an H, T, E board: the dividend is split column by
// column, each column's remainder carried into the next, each step in its own
// one-digit boxes. frmcijferdelen divides to a two-digit quotient without
// remainder; its twin frmcijferdelen2 divides any number below 1000 and asks
// for the remainder too.
//
// Both are one screen given a row each (places, clicks, the twin's one extra
// reaction, what the verdict weighs); the generation, the clear routine and
// whether START stays on view are each class's own.

#include <cstdint>

#include "board/board.h"

namespace placevalue {

// Where the boards of the two screens differ: the tops of every row, the
// upper heads, the lines' heights and the frame's spots, in twips.
struct BoardRow {
  int upperHeadsLeft = 0;
  int dividendTop = 0, quotientTop = 0, lowerHeadsTop = 0;
  int HxTop = 0, HrTop = 0, TproductTop = 0, TrTop = 0, EproductTop = 0, restTop = 0;
  int lneminY[3] = {};
  int lneHT1Y[4] = {};
  int lneEDown[6][2] = {};  // from and to of each bring-down dash
  int line1Top = 0, line1Bottom = 0, line2Y = 0;
};

struct PlaceValueRow {
  const BoardRow& board;
  kit::SeriesScreen::Layout layout;
  // What a click does on the rows that are not the quotient, the brought-down
  // E digit and the remainder (those always empty and keep the focus).
  board::Click productClick;     // txtHx, txtT
  board::Click differenceClick;  // txtHr, txtTr
  // The twin also sends the focus on when the T digit comes down.
  bool focusAfterBringingT;
  // Whether the remainder must be right too for the exercise to count.
  bool remainderCounts;
};

class PlaceValueScreen : public board::BoardScreen {
 public:
  kit::Group<kit::TextBox>& txtHx;
  kit::TextBox& txtHr;
  kit::Group<kit::TextBox>& txtT;
  kit::TextBox& txtTr;
  kit::Group<kit::TextBox>& txtE;
  kit::TextBox& txtrest;
  kit::Picture Image2;

  std::int16_t deler = 0;
  std::int16_t deeltal = 0;
  std::int16_t deeltalH = 0;
  std::int16_t deeltalT = 0;
  std::int16_t deeltalE = 0;

 protected:
  PlaceValueScreen(kit::Hub& hub, const PlaceValueRow& row);

  void cmdstart_Click() override;
  void cmdcontrole_Click() override;
  // Generation and filling of the dividend, divisor and hidden labels.
  virtual void MakeUp() = 0;
  // The remainder CONTROLE compares the remainder box with.
  virtual double Remainder() const = 0;

  void Verdict() override;
  void AfterNieuw() override;
  void AfterNogEens() override;

  long long DividendDigit(int digit) const override;
  bool LeadingDigitHoldsDivisor() const override { return deeltalH >= deler; }
  void Departure(int which) override;
  bool SaysPlaceValues() const override { return true; }

  void MakeDivisor();
  void FillDividend();
  // The rows' part of either clear routine, in the order both share; the
  // quotient boxes end on view and open (ready) or hidden and closed.
  void ClearRows(bool quotientReady);

 private:
  void Open();
  // The end of ClearRows: what the reactions of its emptying opened again is
  // closed, so the board is as the routine promises.
  void Settle(bool quotientReady);
  // Emptied as a change (its reaction runs), made white, shown or hidden.
  void Wipe(board::Box box, bool visible);
  void WipeGroup(board::Grp group, bool visible, std::optional<bool> enabled = std::nullopt);
  void PupilsQuotient();
  void TenExerciseVerdict();
  const PlaceValueRow& row_;
};

class frmcijferdelen final : public PlaceValueScreen {
 public:
  explicit frmcijferdelen(kit::Hub& hub);

  std::int16_t quotientT = 0;
  std::int16_t quotientE = 0;
  std::int32_t quotient = 0;

 protected:
  void MakeUp() override;
  double Remainder() const override { return 0; }
  void ClearBoard() override;
  // START stays on view: a second START makes a new exercise at once.
  void HideForWork() override { cmdstop.SetVisible(false); }
};

class frmcijferdelen2 final : public PlaceValueScreen {
 public:
  explicit frmcijferdelen2(kit::Hub& hub);

  std::int16_t rest = 0;

 protected:
  void MakeUp() override;
  double Remainder() const override { return rest; }
  void ClearBoard() override;
};

}  // namespace placevalue
