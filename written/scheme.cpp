#include "written/scheme.h"

#include "help/help.h"
#include "kit/numbers.h"

namespace written {

using namespace board;

std::vector<SubtractionBox> SubtractionLayout(int steps) {
  using Kind = SubtractionBox::Kind;
  std::vector<SubtractionBox> boxes(static_cast<std::size_t>(SubtractionBoxes(steps)));
  auto put = [&](int box, Kind kind, int k, int column) { boxes.at(std::size_t(box)) = {kind, k, column}; };
  for (int k = 1; k <= steps; ++k) {
    // Step k works on the partial dividend that ends in column k - 1.
    if (k > 1) put(ProductTens(k), Kind::Product, k, k - 2);
    put(ProductUnits(k), Kind::Product, k, k - 1);
    put(DifferenceBox(k), Kind::Difference, k, k - 1);
    if (k < steps) put(BroughtDownBox(k), Kind::BroughtDown, k, k);
  }
  return boxes;
}

std::vector<kit::Place> SubtractionPlaces(const RowsPlan& rows) {
  std::vector<kit::Place> places;
  for (const SubtractionBox& b : SubtractionLayout(rows.steps)) {
    const auto& tops = b.kind == SubtractionBox::Kind::Product ? rows.productTops : rows.differenceTops;
    places.push_back({rows.columns.at(std::size_t(b.column)), tops.at(std::size_t(b.step - 1)), rows.digit->width,
                      rows.digit->height});
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
    : BoardScreen(hub, caption, back, layout, verdicts, WithRows(plan, rows), reactions, checks, help::BoardWords()),
      txtaftrek(Group(Grp::aftrek)),
      lblmultrest(*this, rows.lblmultrest),
      lblQuitkomst(*this, rows.lblQuitkomst),
      steps_(rows.steps) {
  lblmultrest.SetVisible(false);
  lblQuitkomst.SetVisible(false);
  NameSubtractionRows();
}

void DivisionScheme::NameSubtractionRows() {
  const std::vector<SubtractionBox> layout = SubtractionLayout(steps_);
  for (std::size_t i = 0; i < layout.size(); ++i) {
    const SubtractionBox& b = layout[i];
    const QString k = QString::number(b.step);
    QString row;
    switch (b.kind) {
      case SubtractionBox::Kind::Product: row = u"aftrekrij " + k; break;
      case SubtractionBox::Kind::Difference:
        row = b.step == steps_ ? QStringLiteral("rest") : u"verschil " + k;
        break;
      case SubtractionBox::Kind::BroughtDown: row = u"bijgehaald " + k; break;
    }
    txtaftrek[int(i)].SetAccessibleName(BoxName(row, txtaftrek[int(i)]));
  }
}

void DivisionScheme::BeginWithoutClearing() {
  hub_.Random().Randomize();
  StartRules();
  txtquotient[0].SetEnabled(true);
  txtquotient[0].SetText(QString());
  txtquotient[0].SetFocus();
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
  OfferReason();
}

}  // namespace written
