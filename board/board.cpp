#include "board/board.h"

#include <QStringList>
#include <algorithm>
#include <cstdlib>

#include "kit/accessible.h"
#include "kit/keyfilter.h"
#include "kit/numbers.h"

namespace board {

namespace {

kit::Place At(kit::TwipPoint p, const BoxStyle& s) { return {p.x, p.y, s.width, s.height}; }

kit::TextBox& AddBox(kit::Group<kit::TextBox>& group, kit::Container& parent, const BoxItem& item) {
  kit::TextBox& box = group.Add(parent, At(item.at, *item.style), item.style->font);
  box.SetForeColor(item.fore.isValid() ? item.fore : item.style->fore);
  return box;
}

kit::Line MakeLine(kit::Container& parent, const LineItem& item, const QColor& colour) {
  return kit::Line(parent, item.from, item.to, item.width, item.colour.isValid() ? item.colour : colour);
}

void Fill(kit::Group<kit::Line>& group, kit::Container& parent, const LineGroupPlan& plan, const QColor& colour) {
  for (int i = 0; i < plan.first; ++i) group.Skip();
  for (const LineItem& item : plan.lines) {
    group.Add(parent, item.from, item.to, item.width, item.colour.isValid() ? item.colour : colour)
        .SetVisible(false);
  }
}

// kit::Shape always fills; an outline alone is filled with nothing to see.
QColor ShapeFill(const ShapeItem& shape) { return shape.fill.isValid() ? shape.fill : QColor(Qt::transparent); }

}  // namespace

BoardScreen::BoardScreen(kit::Hub& hub, const QString& caption, const QColor& back, const Layout& layout,
                         const Verdicts& verdicts, const BoardPlan& plan, const std::vector<Reaction>& reactions,
                         const std::vector<Check>& checks, const HelpWords& help)
    : kit::SeriesScreen(hub, caption, plan.clientWidth, plan.clientHeight, back, layout, verdicts),
      // First of the board's graphical controls, so that it lies under them.
      Shape1(plan.shape1 ? std::make_unique<kit::Shape>(*this, plan.shape1->place, ShapeFill(*plan.shape1),
                                                        plan.shape1->border)
                         : nullptr),
      txtdeeltal(boxes_[std::size_t(Grp::deeltal)]),
      txtdeler(*this, At(plan.divisor.at, *plan.divisor.style), plan.divisor.style->font),
      txtquotient(boxes_[std::size_t(Grp::quotient)]),
      lneHT(MakeLine(*this, plan.lneHT, plan.lineColour)),
      Line1(MakeLine(*this, plan.line1, plan.lineColour)),
      Line2(MakeLine(*this, plan.line2, plan.lineColour)),
      lbluitkomst(*this, plan.uitkomst, QString(), plan.uitkomstFont, kit::Align::Centre),
      lbldeler(*this, plan.lbldeler),
      lbldeeltal(*this, plan.lbldeeltal),
      lblQ(*this, plan.lblQ),
      allowed_(plan.allowed),
      checks_(checks),
      help_(help),
      steps_(StepsOf(checks)) {
  std::vector<const Head*> heads;
  for (const Head& h : plan.heads) heads.push_back(&h);
  std::sort(heads.begin(), heads.end(), [](const Head* a, const Head* b) { return a->index < b->index; });
  for (const Head* h : heads) {
    while (txtorde.Count() < h->index) txtorde.Skip();
    kit::TextBox& head = txtorde.Add(*this, At(h->at, *h->style), h->style->font);
    head.SetTextQuiet(QString::fromUtf16(h->caption));
    head.SetBackColor(kit::RGB(0, 128, 0));
    head.SetForeColor(kit::colours::kWhite);
    head.SetEnabled(false);
    head.SetHeardAsText();
    head.SetVisible(false);
  }

  txtdeler.SetForeColor(plan.divisor.fore.isValid() ? plan.divisor.fore : plan.divisor.style->fore);
  txtdeler.SetEnabled(false);
  for (const BoxItem& item : plan.dividend) AddBox(txtdeeltal, *this, item).SetEnabled(false);
  for (const BoxItem& item : plan.commas) {
    kit::TextBox& comma = AddBox(txtkomma, *this, item);
    comma.SetTextQuiet(QStringLiteral(","));
    comma.SetEnabled(false);
  }

  for (const GroupPlan& g : plan.groups) {
    kit::Group<kit::TextBox>& group = Group(g.group);
    for (const BoxItem& item : g.items) AddBox(group, *this, item);
    clicks_[std::size_t(g.group)] = g.click;
    group.ForEach([this, grp = g.group](kit::TextBox& b, int i) {
      if (grp == Grp::quotient) {
        b.SetEnabled(false);
      } else {
        b.SetVisible(false);
      }
      b.onKeyPress = [this, grp, i](int& key) { BoxKeyPress(grp, i, key); };
      b.onChange = [this, grp, i] { BoxChange(grp, i); };
      b.onClick = [this, grp, i] { BoxClick(grp, i); };
    });
  }

  Fill(lnemin, *this, plan.lnemin, plan.lineColour);
  Fill(lneHT1, *this, plan.lneHT1, plan.lineColour);
  Fill(lneE, *this, plan.lneE, plan.lineColour);
  lneHT.SetVisible(false);

  lbluitkomst.SetBackColor(kit::RGB(255, 255, 0));
  lbluitkomst.SetVisible(false);
  for (kit::Label* l : {&lbldeler, &lbldeeltal, &lblQ}) l->SetVisible(false);

  // Each box gets the list of rows that match it, in table order.
  for (std::size_t g = 0; g < kGroups; ++g) reactions_[g].resize(std::size_t(boxes_[g].Count()));
  for (const Reaction& r : reactions) {
    auto& rows = reactions_[std::size_t(r.changed.group)];
    if (r.changed.index == kEvery) {
      for (auto& slot : rows) slot.push_back(&r);
    } else {
      rows.at(std::size_t(r.changed.index)).push_back(&r);
    }
  }
  NameBoxes(plan);
  PlaceHelp(plan.cmdhulp, plan.lblhulp);
}

// ---------------------------------------------------------------- names

namespace {
// The row a group's boxes stand in, as a pupil calls it.
QString GroupWord(Grp group) {
  switch (group) {
    case Grp::quotient: return QStringLiteral("quotiënt");
    case Grp::deeltal: return QStringLiteral("deeltal");
    case Grp::aftrek: return QStringLiteral("aftrekrij");
    case Grp::Hx: return QStringLiteral("aftrekrij honderdtallen");
    case Grp::Hr: return QStringLiteral("rest honderdtallen");
    case Grp::T: return QStringLiteral("aftrekrij tientallen");
    case Grp::Tr: return QStringLiteral("rest tientallen");
    case Grp::E: return QStringLiteral("aftrekrij eenheden");
    case Grp::rest: break;
  }
  return QStringLiteral("rest");
}
}  // namespace

QString BoardScreen::ColumnWord(const kit::TextBox& box) const {
  const kit::Place b = box.Geometry();
  const int middle = b.left + b.width / 2;
  const kit::TextBox* best = nullptr;
  int bestDistance = 0;
  for (int i = 0; i < txtorde.Count(); ++i) {
    if (!txtorde.Has(i)) continue;
    const kit::Place h = txtorde[i].Geometry();
    if (middle < h.left || middle >= h.left + h.width) continue;
    const int distance = std::abs(h.top - b.top);
    if (!best || distance < bestDistance) {
      best = &txtorde[i];
      bestDistance = distance;
    }
  }
  return best ? kit::PlaceValueWord(best->Text()) : QString();
}

QString BoardScreen::BoxName(const QString& row, const kit::TextBox& box) const {
  const QString column = ColumnWord(box);
  return column.isEmpty() ? row : row + u", " + column;
}

void BoardScreen::NameBoxes(const BoardPlan& plan) {
  txtorde.ForEach([](kit::TextBox& head, int) { head.SetAccessibleName(kit::PlaceValueWord(head.Text())); });
  txtdeler.SetAccessibleName(QStringLiteral("deler"));
  txtkomma.ForEach([](kit::TextBox& b, int) { b.SetAccessibleName(QStringLiteral("komma")); });
  txtdeeltal.ForEach([this](kit::TextBox& b, int) { b.SetAccessibleName(BoxName(GroupWord(Grp::deeltal), b)); });
  for (const GroupPlan& g : plan.groups) {
    kit::Group<kit::TextBox>& group = Group(g.group);
    for (std::size_t i = 0; i < g.items.size(); ++i) {
      const char16_t* row = g.items[i].row;
      kit::TextBox& b = group[int(i)];
      b.SetAccessibleName(BoxName(row ? QString::fromUtf16(row) : GroupWord(g.group), b));
    }
  }
}

kit::Group<kit::Line>& BoardScreen::LineGroup(Lines g) {
  switch (g) {
    case Lines::HT1: return lneHT1;
    case Lines::E: return lneE;
    case Lines::min: break;
  }
  return lnemin;
}

void BoardScreen::Departure(int) {}

// ---------------------------------------------------------------- handlers

void BoardScreen::BoxChange(Grp group, int index) {
  ForgetHelp();
  reasonAbout_ = {};
  Repair(group);
  // A row may empty or fill the very box that is reacting; the rows it
  // matched when the change came still run, as one reaction.
  for (const Reaction* r : reactions_[std::size_t(group)][std::size_t(index)]) {
    if (!Holds(r->guard)) continue;
    for (const Action& a : r->actions)
      if (Holds(a.guard)) Run(a);
  }
}

void BoardScreen::BoxKeyPress(Grp group, int index, int& keyAscii) {
  kit::KeyPressRule(Group(group)[index], keyAscii, allowed_);
}

void BoardScreen::BoxClick(Grp group, int index) {
  kit::TextBox& box = Group(group)[index];
  switch (clicks_[std::size_t(group)]) {
    case Click::EmptyAndFocus:
      // Emptying runs the box's reaction, which may send the focus on; the
      // pupil clicked here to write again, so the focus comes back.
      box.SetText(QString());
      box.SetFocus();
      break;
    case Click::Empty: box.SetText(QString()); break;
    case Click::Nothing: break;
  }
}

void BoardScreen::Repair(Grp group) {
  Group(group).ForEach([this](kit::TextBox& b, int) { kit::ChangeRule(b, allowed_); });
}

bool BoardScreen::Holds(Guard guard) const {
  switch (guard) {
    case Guard::NotWhileNieuw: return !cmdnieuw.Visible();
    case Guard::LeadingHoldsDivisor: return LeadingDigitHoldsDivisor();
    case Guard::LeadingBelowDivisor: return !LeadingDigitHoldsDivisor();
    case Guard::Always: break;
  }
  return true;
}

void BoardScreen::Run(const Action& a) {
  using Do = Action::Do;
  switch (a.what) {
    case Do::Show: Boxes(a.box).SetVisible(true); break;
    case Do::Hide: Boxes(a.box).SetVisible(false); break;
    case Do::Empty: Boxes(a.box).SetText(QString()); break;
    case Do::Focus: Boxes(a.box).SetFocus(); break;
    case Do::Enable: Boxes(a.box).SetEnabled(true); break;
    case Do::ShowLines:
      for (int i = a.lines.first; i <= a.lines.last; ++i) LineGroup(a.lines.group)[i].SetVisible(true);
      break;
    case Do::BringDown:
      Boxes(a.box).SetText(kit::NumText(DividendDigit(a.digit)));
      Say(Boxes(a.box).Text() + QStringLiteral(" bijgehaald."));
      break;
    case Do::CopyText: Boxes(a.box).SetText(Boxes(a.source).Text()); break;
    case Do::ShowControle: cmdcontrole.SetVisible(true); break;
    case Do::FocusControle: cmdcontrole.SetFocus(); break;
    case Do::ZeroFirstQuotient:
      if (txtquotient[0].Text().isEmpty()) {
        txtquotient[0].SetEnabled(true);
        txtquotient[0].SetText(QStringLiteral("0"));
        SayZeroQuotient();
      }
      break;
    case Do::Departure: Departure(a.departure); break;
  }
}

// ---------------------------------------------------------------- CONTROLE

void BoardScreen::FillEmptyWithZero(const std::vector<Box>& order) {
  for (Box b : order)
    if (Boxes(b).Text().isEmpty()) Boxes(b).SetText(QStringLiteral("0"));
}

void BoardScreen::FillEmptyWithZero(Grp group) {
  Group(group).ForEach([](kit::TextBox& b, int) {
    if (b.Text().isEmpty()) b.SetText(QStringLiteral("0"));
  });
}

void BoardScreen::CheckRows(double rest) {
  for (const Check& c : checks_)
    if (c.kind == Check::Kind::Remainder) checkedRest_ = rest;
  auto number = [this](Box b) { return kit::ReadNumber(Boxes(b).Text()); };
  auto row = [&](const Row& r) { return r.twoDigits ? 10 * number(r.tens) + number(r.units) : number(r.units); };
  auto red = [this](Box b) { Boxes(b).SetBackColor(kit::colours::kWrong); };
  for (const Check& c : checks_) {
    switch (c.kind) {
      case Check::Kind::Difference:
        if (number(c.box) != row(c.above) - row(c.product)) red(c.box);
        break;
      case Check::Kind::Remainder:
        if (number(c.box) != rest) red(c.box);
        break;
      case Check::Kind::Product:
        if (row(c.product) != number(c.quotient) * kit::ReadNumber(txtdeler.Text())) {
          if (c.product.twoDigits) red(c.product.tens);
          red(c.product.units);
        }
        break;
    }
  }
}

double BoardScreen::DigitsNumber(Grp group) const {
  const kit::Group<kit::TextBox>& boxes = Group(group);
  double value = 0;
  for (int i = 0; i < boxes.Count(); ++i) value = 10 * value + kit::ReadNumber(boxes[i].Text());
  return value;
}

// ---------------------------------------------------------------- clearing

void BoardScreen::ClearQuietly(Grp group, bool visible, std::optional<bool> enabled) {
  reasonAbout_ = {};
  Group(group).ForEach([&](kit::TextBox& b, int) {
    b.SetTextQuiet(QString());
    b.SetVisible(visible);
    if (enabled) b.SetEnabled(*enabled);
    b.SetBackColor(kit::colours::kFresh);
  });
}

void BoardScreen::HideLines() {
  for (kit::Group<kit::Line>* lines : {&lneE, &lnemin, &lneHT1})
    lines->ForEach([](kit::Line& l, int) { l.SetVisible(false); });
  lneHT.SetVisible(false);
}

void BoardScreen::WriteZeroQuotient() {
  txtquotient[0].SetEnabled(false);
  txtquotient[0].SetVisible(true);
  txtquotient[0].SetText(QStringLiteral("0"));
  txtquotient[0].SetItalic(true);
  txtquotient[1].SetEnabled(true);
  txtquotient[1].SetFocus();
  SayZeroQuotient();
}

void BoardScreen::SayZeroQuotient() { Say(QStringLiteral("0 in het quoti\u00ebnt.")); }

QString BoardScreen::Task() const { return kit::SpokenDivision(lbldeeltal.Caption(), lbldeler.Caption()); }

QString BoardScreen::Result() const {
  return lbluitkomst.Visible() ? u"Jouw uitkomst: " + lbluitkomst.Caption() + u'.' : QString();
}

QString BoardScreen::Faults() const {
  QStringList rows;
  for (const auto& group : boxes_)
    group.ForEach([&rows](const kit::TextBox& b, int) {
      if (b.BackColor() != kit::colours::kWrong) return;
      const QString row = b.AccessibleName().section(u',', 0, 0);
      if (!rows.contains(row)) rows << row;
    });
  return rows.isEmpty() ? QString() : u"Fout in: " + rows.join(u", ") + u'.';
}

void BoardScreen::EmptyAnswer() { txtquotient[0].SetText(QString()); }

// ---------------------------------------------------------------- steps and help

std::vector<StepRows> StepsOf(const std::vector<Check>& checks) {
  std::vector<StepRows> steps;
  for (const Check& c : checks)
    if (c.kind == Check::Kind::Difference) steps.push_back({{}, c.above, c.product, c.box});
  for (const Check& c : checks)
    for (StepRows& step : steps)
      if (c.kind == Check::Kind::Product && c.product == step.product) step.quotient = c.quotient;
  return steps;
}

Role RoleOf(const std::vector<StepRows>& steps, Box box) {
  using Kind = Role::Kind;
  for (int k = 0; k < int(steps.size()); ++k) {
    const StepRows& s = steps[std::size_t(k)];
    if (box == s.quotient) return {Kind::Digit, k};
    if (box == s.difference) return {Kind::Difference, k};
    if (s.product.twoDigits && box == s.product.tens) return {Kind::ProductTens, k};
    if (box == s.product.units) return {s.product.twoDigits ? Kind::ProductUnits : Kind::Product, k};
    if (k > 0 && s.above.twoDigits && box == s.above.units) return {Kind::BroughtDown, k};
  }
  return {};
}

Sheet BoardScreen::ReadSheet() const {
  auto cell = [this](const Row& r) {
    const kit::TextBox& units = Boxes(r.units);
    const kit::TextBox& tens = Boxes(r.tens);
    const double u = kit::ReadNumber(units.Text());
    return Cell{!units.Text().isEmpty() && !tens.Text().isEmpty(),
                r.twoDigits ? 10 * kit::ReadNumber(tens.Text()) + u : u};
  };
  Sheet sheet;
  sheet.divisor = kit::ReadNumber(txtdeler.Text());
  sheet.placeValues = SaysPlaceValues();
  sheet.remainder = checkedRest_;
  for (int k = 0; k < int(steps_.size()); ++k) {
    const StepRows& rows = steps_[std::size_t(k)];
    StepSheet step;
    step.above = cell(rows.above);
    step.down = cell(One(rows.above.units));
    step.dividendDigit = double(DividendDigit(k));
    step.digit = cell(One(rows.quotient));
    step.product = cell(rows.product);
    step.difference = cell(One(rows.difference));
    const kit::TextBox& digit = Boxes(rows.quotient);
    step.place = ColumnWord(digit);
    // Right of a comma in the quotient's row: the step works in decimals.
    for (int i = 0; i < txtkomma.Count(); ++i) {
      const kit::Place comma = txtkomma[i].Geometry();
      if (comma.top == digit.Geometry().top && comma.left < digit.Geometry().left) step.afterComma = true;
    }
    sheet.steps.push_back(step);
  }
  return sheet;
}

kit::ScoringScreen::Hint BoardScreen::HelpPrompt(int level) {
  // No exercise in hand: the divisor box is empty until START fills it.
  if (txtdeler.Text().isEmpty()) return {help_.idle(), -1};
  for (std::size_t g = 0; g < kGroups; ++g) {
    for (int i = 0; i < boxes_[g].Count(); ++i) {
      if (!boxes_[g].Has(i) || !boxes_[g][i].HasFocus()) continue;
      const Box box{Grp(g), i};
      const Role role = RoleOf(box);
      if (role.kind == Role::Kind::None) break;
      return {help_.prompt(ReadSheet(), role, level), int(g) * 1000 + i};
    }
  }
  // After the check the focus is on a button; the pupil asks about the reason.
  if (reasonAbout_.kind != Role::Kind::None)
    return {help_.prompt(ReadSheet(), reasonAbout_, level), -100 - 10 * reasonAbout_.step - int(reasonAbout_.kind)};
  return {help_.noBox(), -2};
}

QString BoardScreen::HelpReason() {
  reasonAbout_ = {};
  return help_.reason(ReadSheet(), BackColor() != kit::colours::kWrong, &reasonAbout_);
}

}  // namespace board
