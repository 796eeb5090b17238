#pragma once
// Written division worked as on paper, with nothing of the screens in it: for a
// dividend of any length (optionally with decimals) and a one-digit divisor,
// every step's quotient digit, product, difference and the digit brought down.
//
// A new screen's test or solver works its problem once and reads the boxes'
// right texts from the steps, e.g. for the step that fills quotient box i:
//   const WrittenDivision w = WorkDivision(deeltal, deler);
//   w.steps[i].digit, w.steps[i].product, w.steps[i].difference
// The decimal screen passes its dividend in thousandths with decimals = 3; the
// quotient and the remainder then count in thousandths too.

#include <cstdint>
#include <vector>

namespace testing_support {

struct DivisionStep {
  std::int64_t number = 0;      // what is divided at this step: the last difference and the new digit
  int digit = 0;                // the quotient digit this step writes
  std::int64_t product = 0;     // digit x divisor, written under number
  std::int64_t difference = 0;  // number - product, below 0 never, below the divisor always
  int broughtDown = -1;         // the dividend digit brought down beside the difference; -1 after the last step
};

struct WrittenDivision {
  std::vector<int> dividendDigits;  // most significant first, the decimals included
  int decimals = 0;                 // how many of those digits lie after the comma
  int divisor = 0;
  std::vector<DivisionStep> steps;  // one per dividend digit
  std::int64_t quotient = 0;        // in the same unit as the dividend
  std::int64_t remainder = 0;       // the last step's difference
  // Steps at the start whose digit is 0 because the number is still smaller
  // than the divisor (the opening with zero); 0 when the first digit divides.
  int leadingZeros = 0;

  // The quotient's digits, one per step (leading zeros included).
  std::vector<int> QuotientDigits() const;
};

// dividend >= 0 as a whole number of units of 10^-decimals; 1 <= divisor <= 9.
// minDigits pads the dividend with leading zeros, for a board with a fixed
// number of columns. Throws std::invalid_argument outside those ranges.
WrittenDivision WorkDivision(std::int64_t dividend, int divisor, int decimals = 0, int minDigits = 1);

// The decimal digits of n, most significant first; at least minDigits of them.
std::vector<int> DigitsOf(std::int64_t n, int minDigits = 1);

}  // namespace testing_support
