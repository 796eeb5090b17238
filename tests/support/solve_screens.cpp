#include "support/solve_screens.h"

namespace testing_support {

NextMove TowardsText(const QString& have, const QString& want) {
  if (have == want) return {};
  if (have.size() < want.size() && want.startsWith(have)) return {NextMove::Kind::Type, QString(want[have.size()])};
  return {NextMove::Kind::Erase, {}};
}

const std::vector<ScreenSolver>& Solvers() {
  static const std::vector<ScreenSolver> solvers = [] {
    std::vector<ScreenSolver> all;
    for (auto part :
         {EstimationSolvers, WrittenSolvers, PlaceValueSolvers, BlockSolvers})
      for (const ScreenSolver& s : part()) all.push_back(s);
    return all;
  }();
  return solvers;
}

const ScreenSolver* SolverFor(kit::Window& screen) {
  for (const ScreenSolver& s : Solvers())
    if (s.owns(screen)) return &s;
  return nullptr;
}

}  // namespace testing_support
