#include "support/division.h"

#include <algorithm>
#include <stdexcept>

namespace testing_support {

std::vector<int> DigitsOf(std::int64_t n, int minDigits) {
  if (n < 0) throw std::invalid_argument("DigitsOf: a negative number has no column digits");
  std::vector<int> digits;
  do {
    digits.push_back(int(n % 10));
    n /= 10;
  } while (n > 0);
  while (int(digits.size()) < minDigits) digits.push_back(0);
  std::reverse(digits.begin(), digits.end());
  return digits;
}

std::vector<int> WrittenDivision::QuotientDigits() const {
  std::vector<int> out;
  for (const DivisionStep& s : steps) out.push_back(s.digit);
  return out;
}

WrittenDivision WorkDivision(std::int64_t dividend, int divisor, int decimals, int minDigits) {
  if (divisor < 1 || divisor > 9) throw std::invalid_argument("WorkDivision: the divisor has one digit, 1 to 9");
  if (decimals < 0) throw std::invalid_argument("WorkDivision: decimals cannot be negative");
  WrittenDivision w;
  w.dividendDigits = DigitsOf(dividend, std::max(minDigits, decimals + 1));
  w.decimals = decimals;
  w.divisor = divisor;
  std::int64_t carried = 0;
  bool opening = true;
  for (std::size_t i = 0; i < w.dividendDigits.size(); ++i) {
    DivisionStep s;
    s.number = 10 * carried + w.dividendDigits[i];
    s.digit = int(s.number / divisor);
    s.product = std::int64_t(s.digit) * divisor;
    s.difference = s.number - s.product;
    s.broughtDown = i + 1 < w.dividendDigits.size() ? w.dividendDigits[i + 1] : -1;
    if (opening && s.digit == 0 && i + 1 < w.dividendDigits.size()) ++w.leadingZeros;
    else opening = false;
    w.quotient = 10 * w.quotient + s.digit;
    carried = s.difference;
    w.steps.push_back(s);
  }
  w.remainder = carried;
  return w;
}

}  // namespace testing_support
