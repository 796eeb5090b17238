#include "app/program.h"

#include "app/frminfo.h"
#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "blocks/frmcijferdeel.h"
#include "estimate/frmschat.h"
#include "written/frmcijferdeel0.h"

namespace app {

namespace {
// The written-division screens whose exercises come later; they already have
// their place in the menu, their caption and the frame's buttons.
using Layout = kit::SeriesScreen::Layout;
using Verdicts = kit::SeriesScreen::Verdicts;
const QColor kGrey = kit::colours::kBoardGrey;
}  // namespace

Program::Program(std::function<void(int)> onEnd, std::shared_ptr<const kit::Clock> clock)
    : onEnd_(std::move(onEnd)), random_(std::make_unique<kit::ClockRandom>()), clock_(std::move(clock)) {}

Program::~Program() {
  for (kit::Window* w : order_) w->Hide();
}

template <class T, class... Args>
T& Program::Get(std::unique_ptr<T>& slot, Args&&... args) {
  if (!slot) {
    constexpr bool isMain = std::is_same_v<T, app::MDIForm2>;
    if constexpr (!isMain) MDIForm2();
    slot = std::make_unique<T>(std::forward<Args>(args)...);
    order_.push_back(slot.get());
    if constexpr (!isMain) {
      slot->KeepAbove(*main_);
      slot->Load();  // a screen loads the first time anything refers to it
    }
  }
  return *slot;
}

void Program::Start() {
  app::MDIForm2& main = MDIForm2();
  main.Load();
  main.Show();
  // The welcome screen was shown during the main window's load; bring it back
  // in front of the main window that was shown after it.
  if (welcome_ && welcome_->Visible()) welcome_->Raise();
}

void Program::End(int exitCode) {
  if (ended_) return;
  ended_ = true;
  exitCode_ = exitCode;
  for (kit::Window* w : order_) w->Hide();
  if (onEnd_) onEnd_(exitCode);
}

std::vector<kit::Window*> Program::Screens() const { return order_; }

app::MDIForm2& Program::MDIForm2() { return Get(main_, *this); }
app::frmmecenaat1& Program::frmmecenaat1() { return Get(welcome_, *this); }
app::frmkiesbasis& Program::frmkiesbasis() { return Get(menu_, *this); }
app::frminfo& Program::frminfo() { return Get(info_, *this); }
blocks::frmcijferdeel& Program::frmcijferdeel() { return Get(blocks_, *this); }
estimate::frmschat100& Program::frmschat100() { return Get(schat100_, *this); }
estimate::frmschat& Program::frmschat() { return Get(schat_, *this); }
estimate::frmkomma& Program::frmkomma() { return Get(komma_, *this); }
written::frmcijferdeel0& Program::frmcijferdeel0() { return Get(deel0_, *this); }

kit::SeriesScreen& Program::frmcijferdelen() {
  return Get(delen_, *this, QStringLiteral("cijferen : delen"), 11880, 7935, kGrey,
             Layout{{5760, 5880, 1815, 855}, {9960, 6120, 1815, 855}, {5400, 4800, 3495, 735}},
             Verdicts{5, 4, 4});
}
kit::SeriesScreen& Program::frmcijferdelen2() {
  return Get(delen2_, *this, QStringLiteral("cijferen : delen"), 11880, 7935, kGrey,
             Layout{{5880, 6000, 1815, 855}, {9960, 6120, 1815, 855}, {5400, 4680, 3495, 735}},
             Verdicts{5, 4, 4});
}
kit::SeriesScreen& Program::frmcijferdelen4() {
  return Get(delen4_, *this, QStringLiteral("cijferen : delen< 100 000"), 11880, 7935, kGrey,
             Layout{{6480, 6120, 1815, 855}, {10320, 6360, 1575, 855}, {5160, 4560, 4335, 735}},
             Verdicts{3, 3, 2});
}
kit::SeriesScreen& Program::frmcijferdelen5() {
  return Get(delen5_, *this, QStringLiteral("cijferen : delen met komma"), 11880, 7935, kGrey,
             Layout{{6480, 6000, 1815, 855}, {10320, 6000, 1575, 855}, {5160, 4320, 4335, 735}},
             Verdicts{3, 3, 2});
}

kit::Label& Program::MenuTotal() { return frmkiesbasis().lblgemaakt; }
void Program::ShowMenu() { frmkiesbasis().Show(); }

}  // namespace app
