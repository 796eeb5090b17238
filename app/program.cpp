#include "app/program.h"

#include "app/frminfo.h"
#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "blocks/frmcijferdeel.h"
#include "estimate/frmschat.h"
#include "placevalue/frmcijferdelen.h"
#include "written/frmcijferdeel0.h"
#include "written/frmcijferdelen4.h"
#include "written/frmcijferdelen5.h"

namespace app {

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

placevalue::frmcijferdelen& Program::frmcijferdelen() { return Get(delen_, *this); }
placevalue::frmcijferdelen2& Program::frmcijferdelen2() { return Get(delen2_, *this); }
written::frmcijferdelen4& Program::frmcijferdelen4() { return Get(delen4_, *this); }
written::frmcijferdelen5& Program::frmcijferdelen5() { return Get(delen5_, *this); }

kit::Label& Program::MenuTotal() { return frmkiesbasis().lblgemaakt; }
void Program::ShowMenu() { frmkiesbasis().Show(); }

}  // namespace app
