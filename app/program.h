#pragma once
// The one object that owns every screen. Each screen is created the first time
// anything refers to it and lives until the program ends; screens reach each
// other through here. Tests build a fresh Program per test.

#include <functional>
#include <memory>

#include "kit/clock.h"
#include "kit/exercise.h"
#include "kit/random.h"

namespace estimate {
class frmschat100;
class frmschat;
class frmkomma;
}  // namespace estimate
namespace written {
class frmcijferdeel0;
class frmcijferdelen4;
class frmcijferdelen5;
}  // namespace written
namespace placevalue {
class frmcijferdelen;
class frmcijferdelen2;
}  // namespace placevalue
namespace blocks {
class frmcijferdeel;
}

namespace app {

class MDIForm2;
class frmmecenaat1;
class frmkiesbasis;
class frminfo;

class Program final : public kit::Hub {
 public:
  // onEnd is called once, with the exit code, when the run ends. The screens'
  // timers run on clock.
  explicit Program(std::function<void(int)> onEnd = {},
                   std::shared_ptr<const kit::Clock> clock = std::make_shared<kit::WallClock>());
  ~Program() override;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // What starting the program does: the main window loads and is shown.
  void Start();
  // The one way the run ends: every window goes, then onEnd.
  void End(int exitCode = 0);
  bool Ended() const { return ended_; }
  int ExitCode() const { return exitCode_; }

  app::MDIForm2& MDIForm2();
  app::frmmecenaat1& frmmecenaat1();
  app::frmkiesbasis& frmkiesbasis();
  app::frminfo& frminfo();
  bool InfoLoaded() const { return info_ != nullptr; }

  blocks::frmcijferdeel& frmcijferdeel();
  estimate::frmschat100& frmschat100();
  estimate::frmschat& frmschat();
  estimate::frmkomma& frmkomma();
  written::frmcijferdeel0& frmcijferdeel0();
  placevalue::frmcijferdelen& frmcijferdelen();
  placevalue::frmcijferdelen2& frmcijferdelen2();
  written::frmcijferdelen4& frmcijferdelen4();
  written::frmcijferdelen5& frmcijferdelen5();

  // Every screen created so far, the main window first.
  std::vector<kit::Window*> Screens() const;

  // kit::Hub
  kit::Label& MenuTotal() override;
  void ShowMenu() override;
  kit::RandomSource& Random() override { return *random_; }
  void SetRandom(std::unique_ptr<kit::RandomSource> random) { random_ = std::move(random); }
  const kit::Clock& Clock() const { return *clock_; }

 private:
  template <class T, class... Args>
  T& Get(std::unique_ptr<T>& slot, Args&&... args);

  std::function<void(int)> onEnd_;
  std::unique_ptr<kit::RandomSource> random_;
  std::shared_ptr<const kit::Clock> clock_;
  bool ended_ = false;
  int exitCode_ = 0;
  std::vector<kit::Window*> order_;

  // Declared first so that it is destroyed last: the other windows are kept
  // above it.
  std::unique_ptr<app::MDIForm2> main_;
  std::unique_ptr<app::frmmecenaat1> welcome_;
  std::unique_ptr<app::frmkiesbasis> menu_;
  std::unique_ptr<app::frminfo> info_;
  std::unique_ptr<blocks::frmcijferdeel> blocks_;
  std::unique_ptr<estimate::frmschat100> schat100_;
  std::unique_ptr<estimate::frmschat> schat_;
  std::unique_ptr<estimate::frmkomma> komma_;
  std::unique_ptr<written::frmcijferdeel0> deel0_;
  std::unique_ptr<placevalue::frmcijferdelen> delen_;
  std::unique_ptr<placevalue::frmcijferdelen2> delen2_;
  std::unique_ptr<written::frmcijferdelen4> delen4_;
  std::unique_ptr<written::frmcijferdelen5> delen5_;
};

}  // namespace app
