#include "written/scheme.h"

#include <QLocale>
#include <cmath>

#include "kit/keyfilter.h"
#include "kit/numbers.h"

namespace written {

std::vector<kit::Place> SubtractionPlaces(const BoardPlan& layout) {
  const int n = layout.steps;
  std::vector<kit::Place> places(static_cast<std::size_t>(SubtractionBoxes(n)));
  auto put = [&](int box, int column, int top) {
    places.at(static_cast<std::size_t>(box)) = {layout.columns.at(std::size_t(column)), top, layout.digitBox.width,
                                                layout.digitBox.height};
  };
  for (int k = 1; k <= n; ++k) {
    const int productTop = layout.productTops.at(std::size_t(k - 1));
    const int differenceTop = layout.differenceTops.at(std::size_t(k - 1));
    // Step k works on the partial dividend that ends in column k - 1.
    if (k == 1) {
      put(ProductUnits(1), 0, productTop);
    } else {
      put(ProductTens(k), k - 2, productTop);
      put(ProductUnits(k), k - 1, productTop);
    }
    put(DifferenceBox(k), k - 1, differenceTop);
    if (k < n) put(BroughtDownBox(k), k, differenceTop);
  }
  return places;
}

QString NumberText(double value) {
  if (!std::isfinite(value)) return QString::number(value);
  // Adding 0.0 turns a negative zero (from "-0" in a box) into plain 0.
  return QString::number(value + 0.0, 'f', QLocale::FloatingPointShortest);
}

namespace {
kit::Place At(kit::TwipPoint p, Size s) { return {p.x, p.y, s.width, s.height}; }

void Fill(kit::Group<kit::Line>& group, kit::Container& parent, const LineGroupPlan& layout, int width,
          const QColor& colour) {
  for (int i = 0; i < layout.first; ++i) group.Skip();
  for (const auto& [from, to] : layout.lines) group.Add(parent, from, to, width, colour).SetVisible(false);
}
}  // namespace

DivisionScheme::DivisionScheme(kit::Hub& hub, const QString& caption, const QColor& back, const Layout& layout,
                               const Verdicts& verdicts, const BoardPlan& board,
                               const std::vector<Reaction>& reactions, const std::vector<Check>& checks)
    : kit::SeriesScreen(hub, caption, 11880, 7935, back, layout, verdicts),
      txtdeler(*this, At(board.divisor, board.answerBox), board.answerFont),
      lneHT(*this, board.lneHT.first, board.lneHT.second, board.lineWidth, board.lneHTColour),
      Line1(*this, board.line1.first, board.line1.second, board.bracketWidth, board.lineColour),
      Line2(*this, board.line2.first, board.line2.second, board.bracketWidth, board.lineColour),
      lbluitkomst(*this, board.uitkomst, QString(), board.uitkomstFont, kit::Align::Centre),
      lbldeler(*this, board.lbldeler),
      lbldeeltal(*this, board.lbldeeltal),
      lblQ(*this, board.lblQ),
      lblmultrest(*this, board.lblmultrest),
      lblQuitkomst(*this, board.lblQuitkomst),
      allowed_(board.allowed),
      checks_(checks) {
  for (const Head& h : board.heads) {
    kit::TextBox& head = txtorde.Add(*this, h.place, board.headFont);
    head.SetTextQuiet(QString::fromUtf16(h.caption));
    head.SetBackColor(kit::RGB(0, 128, 0));
    head.SetForeColor(kit::colours::kWhite);
    head.SetEnabled(false);
    head.SetVisible(false);
  }
  for (kit::TwipPoint p : board.dividend) txtdeeltal.Add(*this, At(p, board.digitBox), board.digitFont);
  txtdeeltal.ForEach([](kit::TextBox& b, int) { b.SetEnabled(false); });
  txtdeler.SetEnabled(false);
  for (kit::TwipPoint p : board.quotient) txtquotient.Add(*this, At(p, board.answerBox), board.answerFont);
  for (const kit::Place& place : SubtractionPlaces(board)) txtaftrek.Add(*this, place, board.digitFont);

  Fill(lnemin, *this, board.lnemin, board.lineWidth, board.lineColour);
  Fill(lneHT1, *this, board.lneHT1, board.lineWidth, board.lineColour);
  Fill(lneE, *this, board.lneE, board.lineWidth, board.lineColour);
  lneHT.SetVisible(false);

  lbluitkomst.SetBackColor(kit::RGB(255, 255, 0));
  lbluitkomst.SetVisible(false);
  for (kit::Label* l : {&lbldeler, &lbldeeltal, &lblQ, &lblmultrest, &lblQuitkomst}) l->SetVisible(false);

  txtquotient.ForEach([this](kit::TextBox& b, int i) {
    b.SetEnabled(false);
    b.onKeyPress = [this, i](int& key) { txtquotient_KeyPress(i, key); };
    b.onChange = [this, i] { txtquotient_Change(i); };
    b.onClick = [this, i] { txtquotient_Click(i); };
  });
  txtaftrek.ForEach([this](kit::TextBox& b, int i) {
    b.SetVisible(false);
    b.onKeyPress = [this, i](int& key) { txtaftrek_KeyPress(i, key); };
    b.onChange = [this, i] { txtaftrek_Change(i); };
    b.onClick = [this, i] { txtaftrek_Click(i); };
  });

  onQuotient_.assign(std::size_t(txtquotient.Count()), nullptr);
  onAftrek_.assign(std::size_t(txtaftrek.Count()), nullptr);
  for (const Reaction& r : reactions) {
    auto& slot = r.changed.kind == Box::Kind::Quotient ? onQuotient_ : onAftrek_;
    slot.at(std::size_t(r.changed.index)) = &r;
  }
}

// ---------------------------------------------------------------- handlers

void DivisionScheme::txtquotient_Change(int Index) {
  Repair(txtquotient);
  React(onQuotient_[std::size_t(Index)]);
}
void DivisionScheme::txtaftrek_Change(int Index) {
  Repair(txtaftrek);
  React(onAftrek_[std::size_t(Index)]);
}
void DivisionScheme::txtquotient_KeyPress(int Index, int& KeyAscii) {
  kit::KeyPressRule(txtquotient[Index], KeyAscii, allowed_);
}
void DivisionScheme::txtaftrek_KeyPress(int Index, int& KeyAscii) {
  kit::KeyPressRule(txtaftrek[Index], KeyAscii, allowed_);
}

// Emptying runs the box's reaction, which may send the focus on; the pupil
// clicked here to write again, so the focus comes back.
void DivisionScheme::txtquotient_Click(int Index) {
  txtquotient[Index].SetText(QString());
  txtquotient[Index].SetFocus();
}
void DivisionScheme::txtaftrek_Click(int Index) {
  txtaftrek[Index].SetText(QString());
  txtaftrek[Index].SetFocus();
}

void DivisionScheme::Repair(kit::Group<kit::TextBox>& group) {
  group.ForEach([this](kit::TextBox& b, int) { kit::ChangeRule(b, allowed_); });
}

kit::Line& DivisionScheme::LineOf(LineSet set, int index) {
  switch (set) {
    case LineSet::HT1: return lneHT1[index];
    case LineSet::E: return lneE[index];
    case LineSet::Min: break;
  }
  return lnemin[index];
}

void DivisionScheme::React(const Reaction* reaction) {
  if (!reaction) return;
  for (const Step& s : reaction->steps) {
    switch (s.what) {
      case Step::Do::Show: txtaftrek[s.box].SetVisible(true); break;
      case Step::Do::Focus: txtaftrek[s.box].SetFocus(); break;
      case Step::Do::ShowLines:
        for (int i = s.first; i <= s.last; ++i) LineOf(s.set, i).SetVisible(true);
        break;
      case Step::Do::BringDown: txtaftrek[s.box].SetText(kit::NumText(DividendDigit(s.first))); break;
      case Step::Do::OpenQuotient:
        txtquotient[s.box].SetEnabled(true);
        txtquotient[s.box].SetFocus();
        break;
      case Step::Do::ShowControle: cmdcontrole.SetVisible(true); break;
    }
  }
}

// ---------------------------------------------------------------- CONTROLE

void DivisionScheme::FillEmptyWithZero() {
  txtaftrek.ForEach([](kit::TextBox& b, int) {
    if (b.Text().isEmpty()) b.SetText(QStringLiteral("0"));
  });
}

double DivisionScheme::Row(Pair pair) const {
  const double units = kit::ReadNumber(txtaftrek[pair.units].Text());
  return pair.tens < 0 ? units : 10 * kit::ReadNumber(txtaftrek[pair.tens].Text()) + units;
}

void DivisionScheme::CheckRows(double rest) {
  auto box = [this](int i) { return kit::ReadNumber(txtaftrek[i].Text()); };
  auto red = [this](int i) { txtaftrek[i].SetBackColor(kit::colours::kWrong); };
  for (const Check& c : checks_) {
    switch (c.kind) {
      case Check::Kind::FirstDifference:
        if (box(c.box) != kit::ReadNumber(txtdeeltal[0].Text()) - Row(c.product)) red(c.box);
        break;
      case Check::Kind::Difference:
        if (box(c.box) != Row(c.above) - Row(c.product)) red(c.box);
        break;
      case Check::Kind::Remainder:
        if (box(c.box) != rest) red(c.box);
        break;
      case Check::Kind::Product:
        if (Row(c.product) !=
            kit::ReadNumber(txtquotient[c.quotient].Text()) * kit::ReadNumber(txtdeler.Text())) {
          if (c.product.tens >= 0) red(c.product.tens);
          red(c.product.units);
        }
        break;
    }
  }
}

double DivisionScheme::QuotientNumber() const {
  double value = 0;
  for (int i = 0; i < txtquotient.Count(); ++i) value = 10 * value + kit::ReadNumber(txtquotient[i].Text());
  return value;
}

}  // namespace written
