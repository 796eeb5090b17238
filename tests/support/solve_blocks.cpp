// The block screen: nothing is typed there, but what it shows must be a right
// division. The picture and the sentence are checked against the numbers on
// the screen itself (the digits under H, T, E and the divisor button), as a
// pupil counting the blocks would.

#include <QLineEdit>

#include "blocks/frmcijferdeel.h"
#include "kit/numbers.h"
#include "support/solve_screens.h"

namespace testing_support {

namespace {

using blocks::frmcijferdeel;

bool Owns(kit::Window& w) { return dynamic_cast<frmcijferdeel*>(&w) != nullptr; }
NextMove Next(kit::Window&, QWidget*) { return {}; }
void Boxes(kit::Window&, std::vector<QLineEdit*>&) {}

// How many blocks a slot array shows, when they fill its first slots in order;
// -1 when they leave a gap. `shared`: element 0 lies on element 1.
int Shown(kit::Group<kit::Picture>& slots, int count, bool shared) {
  std::vector<bool> on;
  for (int i = shared ? 1 : 0; i < count; ++i) on.push_back(slots[i].Visible());
  if (shared && slots[0].Visible()) on[0] = true;
  const auto n = int(std::find(on.begin(), on.end(), false) - on.begin());
  return std::find(on.begin() + n, on.end(), true) == on.end() ? n : -1;
}

// The number a label or box shows, or -1.
int Shows(const QString& text) {
  bool ok = false;
  const int n = text.toInt(&ok);
  return ok && text == kit::NumText(n) ? n : -1;
}

QString Check(kit::Window& w) {
  auto& s = dynamic_cast<frmcijferdeel&>(w);
  QStringList wrong;
  int divisor = 0;
  for (int i = 0; i < s.cmddeler.Count(); ++i)
    if (s.cmddeler[i].Visible()) divisor = divisor ? -1 : i;
  if (divisor < 0) wrong << QStringLiteral("two divisor buttons shown");
  const bool shared = s.lbltot.Visible();
  const int frames = [&s] {
    int n = 0;
    while (n < s.frmdeler.Count() && s.frmdeler[n].Visible()) ++n;
    for (int i = n; i < s.frmdeler.Count(); ++i)
      if (s.frmdeler[i].Visible()) return -1;
    return n;
  }();
  if (frames < 0) wrong << QStringLiteral("the share frames shown are not the first ones");

  int digits[3];
  for (int i = 0; i < 3; ++i) digits[i] = Shows(s.txtquotient[i].Text());
  const bool idle = divisor == 0 && !shared;
  if (idle) {
    if (frames > 0) wrong << QStringLiteral("share frames shown without a problem");
    if (!s.txtquotient[0].Text().isEmpty()) wrong << QStringLiteral("digits shown without a problem");
    return wrong.join(QStringLiteral("; "));
  }
  if (digits[0] < 1 || digits[1] < 0 || digits[2] < 0 || digits[0] > 9 || digits[1] > 9 || digits[2] > 9) {
    wrong << QStringLiteral("the digit boxes read %1 %2 %3")
                 .arg(s.txtquotient[0].Text(), s.txtquotient[1].Text(), s.txtquotient[2].Text());
    return wrong.join(QStringLiteral("; "));
  }
  const int dividend = 100 * digits[0] + 10 * digits[1] + digits[2];

  if (!shared) {  // a problem waits for its divisor button
    if (divisor < 2) return wrong.join(QStringLiteral("; "));
    if (frames != divisor) wrong << QStringLiteral("%1 frames for the divisor %2").arg(frames).arg(divisor);
    if (Shown(s.img100H, 10, false) != digits[0] || Shown(s.img10T, 10, false) != digits[1] ||
        Shown(s.img1E, 10, false) != digits[2])
      wrong << QStringLiteral("the block area does not show %1").arg(dividend);
    return wrong.join(QStringLiteral("; "));
  }

  const int d = Shows(s.lbltekdelers.Caption());
  if (d < 2) return QStringLiteral("the sentence's divisor reads %1").arg(s.lbltekdelers.Caption());
  const int q = dividend / d, r = dividend % d;
  if (Shows(s.lbltot.Caption()) != dividend || Shows(s.lblQ.Caption()) != q || Shows(s.lblrest.Caption()) != r)
    wrong << QStringLiteral("the sentence reads %1 : %2 = %3 rest %4 for the dividend %5")
                 .arg(s.lbltot.Caption(), s.lbltekdelers.Caption(), s.lblQ.Caption(), s.lblrest.Caption())
                 .arg(dividend);
  if (frames != d) wrong << QStringLiteral("%1 frames for the divisor %2").arg(frames).arg(d);
  if (Shown(s.img100H, 10, false) != 0 || Shown(s.img10T, 10, false) != 0 || Shown(s.img1E, 10, false) != r)
    wrong << QStringLiteral("the block area does not keep just the %1 cubes left over").arg(r);
  if (Shows(s.lblmemo[1].Caption()) != r || !s.lblmemo[1].Visible())
    wrong << QStringLiteral("the remainder label reads %1").arg(s.lblmemo[1].Caption());
  for (int i = 0; i < frames && i < 9; ++i) {
    const bool flat = s.img100deel[i + 1].Visible() || (i == 0 && s.img100deel[0].Visible());
    if (flat != (q >= 100) || Shown(s.img10Tk[i], 10, true) != q / 10 % 10 || Shown(s.img1Ek[i], 11, true) != q % 10 ||
        Shows(s.lbluitkomst[i].Caption()) != q)
      wrong << QStringLiteral("frame %1 does not show one share of %2").arg(i + 1).arg(q);
  }
  return wrong.join(QStringLiteral("; "));
}

}  // namespace

std::vector<ScreenSolver> BlockSolvers() { return {{"frmcijferdeel", &Owns, &Next, &Boxes, nullptr, &Check}}; }

}  // namespace testing_support
