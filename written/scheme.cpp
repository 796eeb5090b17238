#include "written/scheme.h"

#include "kit/numbers.h"

namespace written {

using namespace board;

std::vector<kit::Place> SubtractionPlaces(const RowsPlan& rows) {
  const int n = rows.steps;
  std::vector<kit::Place> places(static_cast<std::size_t>(SubtractionBoxes(n)));
  auto put = [&](int box, int column, int top) {
    places.at(static_cast<std::size_t>(box)) = {rows.columns.at(std::size_t(column)), top, rows.digit->width,
                                                rows.digit->height};
  };
  for (int k = 1; k <= n; ++k) {
    const int productTop = rows.productTops.at(std::size_t(k - 1));
    const int differenceTop = rows.differenceTops.at(std::size_t(k - 1));
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

std::vector<Check> StepChecks(int steps) {
  std::vector<Check> checks;
  checks.push_back(check::Difference(A(DifferenceBox(1)), One(D(0)), One(A(ProductUnits(1)))));
  for (int k = 2; k <= steps; ++k) {
    checks.push_back(check::Difference(A(DifferenceBox(k)), Two(A(DifferenceBox(k - 1)), A(BroughtDownBox(k - 1))),
                                       Two(A(ProductTens(k)), A(ProductUnits(k)))));
  }
  checks.push_back(check::Product(One(A(ProductUnits(1))), Q(0)));
  for (int k = 2; k <= steps; ++k)
    checks.push_back(check::Product(Two(A(ProductTens(k)), A(ProductUnits(k))), Q(k - 1)));
  return checks;
}

namespace {
BoardPlan WithRows(BoardPlan plan, const RowsPlan& rows) {
  GroupPlan aftrek{Grp::aftrek, {}, Click::EmptyAndFocus};
  for (const kit::Place& p : SubtractionPlaces(rows)) aftrek.items.push_back({{p.left, p.top}, rows.digit});
  plan.groups.push_back(std::move(aftrek));
  return plan;
}
}  // namespace

DivisionScheme::DivisionScheme(kit::Hub& hub, const QString& caption, const QColor& back, const Layout& layout,
                               const Verdicts& verdicts, const BoardPlan& plan, const RowsPlan& rows,
                               const std::vector<Reaction>& reactions, const std::vector<Check>& checks)
    : BoardScreen(hub, caption, back, layout, verdicts, WithRows(plan, rows), reactions, checks),
      txtaftrek(Group(Grp::aftrek)),
      lblmultrest(*this, rows.lblmultrest),
      lblQuitkomst(*this, rows.lblQuitkomst),
      steps_(rows.steps) {
  lblmultrest.SetVisible(false);
  lblQuitkomst.SetVisible(false);
}

void DivisionScheme::Open() {
  if (LeadingDigitHoldsDivisor()) {
    txtquotient[0].SetEnabled(true);
    txtquotient[0].SetFocus();
    return;
  }
  for (int i = 0; i <= 2; ++i) txtaftrek[i].SetVisible(true);
  txtaftrek[0].SetText(QStringLiteral("0"));
  txtaftrek[1].SetText(kit::NumText(DividendDigit(0)));
  txtaftrek[2].SetText(kit::NumText(DividendDigit(1)));
  WriteZeroQuotient();
  lneHT1[1].SetVisible(true);
  lneE[0].SetVisible(true);
  lneE[1].SetVisible(true);
  lneHT.SetVisible(true);
}

void DivisionScheme::ClearBoard() {
  ClearQuietly(Grp::quotient, true, false);
  ClearQuietly(Grp::aftrek, false);
  HideLines();
  txtdeeltal.ForEach([](kit::TextBox& b, int) { b.SetTextQuiet(QString()); });
  txtdeler.SetTextQuiet(QString());
  lbluitkomst.SetCaption(QString());
  lbluitkomst.SetVisible(false);
  txtquotient[0].SetItalic(false);
  // A box changed after the series closed can bring CONTROLE back; STOP must
  // not carry it to the next visit, where it would lie over START and judge
  // an empty board.
  cmdcontrole.SetVisible(false);
  ClearFrame();
}

QString DivisionScheme::PupilsQuotientText(double digits) const { return kit::DecimalText(digits); }

void DivisionScheme::Controle(double rest) {
  cmdcontrole.SetVisible(false);
  FillEmptyWithZero(Grp::aftrek);
  CheckRows(rest);
  // Read in wide arithmetic: pasted long texts make numbers far past the
  // screen's own widths, and the labels keep the pupil's number exactly, so
  // that neither such a number nor a fraction can ever pass for the quotient.
  const double digits = DigitsNumber(Grp::quotient);
  lbluitkomst.SetCaption(PupilsQuotientText(digits));
  lbluitkomst.SetVisible(true);
  TakeUitkomst(digits);
  lblQuitkomst.SetCaption(lbluitkomst.Caption());
  if (!QuotientStaysInView()) txtquotient.ForEach([](kit::TextBox& b, int) { b.SetVisible(false); });
  Judge(lblQuitkomst.Caption() == lblQ.Caption() && txtaftrek[FinalBox(steps_)].Text() == lblmultrest.Caption());
}

}  // namespace written
