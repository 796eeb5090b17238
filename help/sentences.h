#pragma once
// The help's sentences by name; their Dutch texts are in sentences.cpp, one
// table a teacher can read and correct.

#include <QString>
#include <initializer_list>
#include <utility>

namespace help {

enum class Say {
  // Prompts: the box in focus, first and second hint.
  Digit,
  DigitPlace,
  DigitComma,
  DigitSecond,
  AboveFirst,
  Product,
  ProductTens,
  ProductUnits,
  ProductSecond,
  ProductSecondOne,
  ProductSecondZero,
  DigitFirst,
  Difference,
  DifferenceLast,
  DifferenceSecond,
  RowsFirst,
  BroughtDown,
  BroughtDownSecond,
  Estimate,
  EstimateSecond,
  Idle,
  NoBox,
  // Reasons after the check.
  CommaStep,
  BroughtDownWrong,
  ZeroForgotten,
  DigitTooLarge,
  ProductWrong,
  DifferenceWrong,
  RemainderWrong,
  DigitTooSmall,
  RemainderTooLarge,
  QuotientWrong,
  EstimateHigh,
  EstimateLow,
};

// The sentence with each {name} replaced by its value.
QString Sentence(Say what, std::initializer_list<std::pair<const char*, QString>> values = {});

}  // namespace help
