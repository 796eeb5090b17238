#pragma once
// Place-value division on an H, T, E board: frmcijferdelen (a two-digit
// quotient, no remainder) and its twin frmcijferdelen2 (any dividend below
// 1000, with remainder).

#include "written/pending.h"

namespace placevalue {

class frmcijferdelen final : public written::PendingScreen {
 public:
  explicit frmcijferdelen(kit::Hub& hub);
};

class frmcijferdelen2 final : public written::PendingScreen {
 public:
  explicit frmcijferdelen2(kit::Hub& hub);
};

}  // namespace placevalue
