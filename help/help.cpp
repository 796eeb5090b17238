#include "help/help.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "help/sentences.h"
#include "kit/numbers.h"

namespace help {

using board::Role;
using board::Sheet;
using board::StepSheet;
using Kind = board::Role::Kind;

namespace {

QString N(double value) { return kit::DecimalText(value); }

// The multiples of the divisor on either side of what fits in `number`.
QString DigitSecond(const Sheet& s, const StepSheet& st) {
  const double fits = s.divisor > 0 ? std::floor(st.above.value / s.divisor) : 0;
  const double small = std::clamp(fits, 0.0, 9.0);
  return Sentence(Say::DigitSecond, {{"deler", N(s.divisor)},
                                     {"klein", N(small)},
                                     {"kleinkeer", N(small * s.divisor)},
                                     {"groot", N(small + 1)},
                                     {"grootkeer", N((small + 1) * s.divisor)},
                                     {"getal", N(st.above.value)}});
}

QString DigitPrompt(const Sheet& s, const StepSheet& st, int level) {
  if (!st.above.filled) return Sentence(Say::AboveFirst);
  if (level >= 2) return DigitSecond(s, st);
  const Say say = st.afterComma                          ? Say::DigitComma
                  : s.placeValues && !st.place.isEmpty() ? Say::DigitPlace
                                                         : Say::Digit;
  return Sentence(say, {{"deler", N(s.divisor)}, {"getal", N(st.above.value)}, {"plaats", st.place}});
}

QString ProductPrompt(const Sheet& s, const StepSheet& st, Kind kind, int level) {
  if (!st.digit.filled) return Sentence(Say::DigitFirst);
  const double q = st.digit.value;
  const QString deler = N(s.divisor);
  if (level >= 2) {
    if (q == 0) return Sentence(Say::ProductSecondZero, {{"deler", deler}});
    if (q == 1) return Sentence(Say::ProductSecondOne, {{"deler", deler}});
    return Sentence(Say::ProductSecond, {{"min1", N(q - 1)}, {"min1keer", N((q - 1) * s.divisor)}, {"deler", deler}});
  }
  const Say say = kind == Kind::ProductTens ? Say::ProductTens : kind == Kind::ProductUnits ? Say::ProductUnits : Say::Product;
  return Sentence(say, {{"cijfer", N(q)}, {"deler", deler}});
}

QString DifferencePrompt(const StepSheet& st, bool last, int level) {
  if (!st.above.filled || !st.product.filled) return Sentence(Say::RowsFirst);
  const Say say = level >= 2 ? Say::DifferenceSecond : last ? Say::DifferenceLast : Say::Difference;
  return Sentence(say, {{"boven", N(st.above.value)}, {"onder", N(st.product.value)}});
}

// The first thing wrong in one step, in the order the pupil worked it: the
// digit brought down, the quotient digit, the product, the difference, and
// last whether the digit was large enough; and the kind of box it is about.
std::pair<QString, Kind> StepReason(const Sheet& s, const StepSheet& st, bool first, bool last) {
  const double d = s.divisor, a = st.above.value, q = st.digit.value, p = st.product.value, r = st.difference.value;
  const QString deler = N(d);
  if (!first && st.down.value != st.dividendDigit)
    return {Sentence(Say::BroughtDownWrong, {{"cijfer", N(st.down.value)}, {"plaats", st.place}}), Kind::BroughtDown};
  if (q * d > a) {
    if (a < d && q > 0) return {Sentence(Say::ZeroForgotten, {{"deler", deler}, {"boven", N(a)}}), Kind::Digit};
    return {Sentence(Say::DigitTooLarge, {{"keer", N(q * d)}, {"boven", N(a)}, {"cijfer", N(q)}}), Kind::Digit};
  }
  if (p != q * d)
    return {Sentence(Say::ProductWrong, {{"cijfer", N(q)}, {"deler", deler}, {"product", N(p)}}), Kind::Product};
  if (r != a - p)
    return {Sentence(last ? Say::RemainderWrong : Say::DifferenceWrong,
                     {{"boven", N(a)}, {"onder", N(p)}, {"verschil", N(r)}}),
            Kind::Difference};
  if (r >= d)
    return {Sentence(last ? Say::RemainderTooLarge : Say::DigitTooSmall,
                     {{"verschil", N(r)}, {"deler", deler}, {"cijfer", N(q)}}),
            Kind::Digit};
  return {};
}

}  // namespace

QString Prompt(const Sheet& s, Role role, int level) {
  if (role.kind == Kind::None || role.step < 0 || role.step >= int(s.steps.size())) return NoBoxPrompt();
  const StepSheet& st = s.steps[std::size_t(role.step)];
  switch (role.kind) {
    case Kind::Digit: return DigitPrompt(s, st, level);
    case Kind::Product:
    case Kind::ProductTens:
    case Kind::ProductUnits: return ProductPrompt(s, st, role.kind, level);
    case Kind::Difference: return DifferencePrompt(st, role.step + 1 == int(s.steps.size()), level);
    case Kind::BroughtDown:
      if (level >= 2 && !st.place.isEmpty()) return Sentence(Say::BroughtDownSecond, {{"plaats", st.place}});
      return Sentence(Say::BroughtDown);
    case Kind::None: break;
  }
  return NoBoxPrompt();
}

QString Reason(const Sheet& s, bool right, Role* about) {
  for (std::size_t i = 0; i < s.steps.size(); ++i) {
    const StepSheet& st = s.steps[i];
    const auto [why, kind] = StepReason(s, st, i == 0, i + 1 == s.steps.size());
    if (why.isEmpty()) continue;
    if (about) *about = {kind, int(i)};
    return st.afterComma ? Sentence(Say::CommaStep, {{"zin", why}}) : why;
  }
  const bool remainderOff = s.remainder && !s.steps.empty() && s.steps.back().difference.value != *s.remainder;
  return right && !remainderOff ? QString() : Sentence(Say::QuotientWrong);
}

QString EstimatePrompt(double dividend, double divisor, int level) {
  if (level < 2) return Sentence(Say::Estimate, {{"deeltal", N(dividend)}, {"deler", N(divisor)}});
  // Round tens on either side of the quotient; below ten, 1 and 10.
  const double q = divisor > 0 ? std::floor(dividend / divisor) : 0;
  const double small = q >= 10 ? std::floor(q / 10) * 10 : 1;
  const double large = q >= 10 ? small + 10 : 10;
  return Sentence(Say::EstimateSecond, {{"deler", N(divisor)},
                                        {"klein", N(small)},
                                        {"kleinkeer", N(small * divisor)},
                                        {"groot", N(large)},
                                        {"grootkeer", N(large * divisor)},
                                        {"deeltal", N(dividend)}});
}

QString EstimateReason(double dividend, double divisor, double estimate, bool accepted) {
  if (accepted) return {};
  const double product = estimate * divisor;
  return Sentence(product > dividend ? Say::EstimateHigh : Say::EstimateLow,
                  {{"schatting", N(estimate)}, {"deler", N(divisor)}, {"keer", N(product)}, {"deeltal", N(dividend)}});
}

QString IdlePrompt() { return Sentence(Say::Idle); }
QString NoBoxPrompt() { return Sentence(Say::NoBox); }

board::HelpWords BoardWords() { return {&Prompt, &Reason, &IdlePrompt, &NoBoxPrompt}; }

}  // namespace help
