#include "support/open_screen.h"

#include <QTest>
#include <memory>

#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "blocks/frmcijferdeel.h"
#include "estimate/frmschat.h"
#include "support/pupil.h"
#include "placevalue/frmcijferdelen.h"
#include "written/frmcijferdeel0.h"
#include "written/frmcijferdelen4.h"
#include "written/frmcijferdelen5.h"

namespace testing_support {

namespace {

struct MenuRoad {
  std::string_view name;
  kit::Button app::frmkiesbasis::*button;
  kit::Window& (*screen)(app::Program&);
};

template <class Screen, Screen& (app::Program::*accessor)()>
kit::Window& Get(app::Program& p) {
  return (p.*accessor)();
}

using M = app::frmkiesbasis;
using P = app::Program;
const MenuRoad kRoads[] = {
    {"frmcijferdeel", &M::Command1, Get<blocks::frmcijferdeel, &P::frmcijferdeel>},
    {"frmschat100", &M::Command8, Get<estimate::frmschat100, &P::frmschat100>},
    {"frmschat", &M::Command2, Get<estimate::frmschat, &P::frmschat>},
    {"frmkomma", &M::Command6, Get<estimate::frmkomma, &P::frmkomma>},
    {"frmcijferdeel0", &M::Command3, Get<written::frmcijferdeel0, &P::frmcijferdeel0>},
    {"frmcijferdelen", &M::Command7, Get<placevalue::frmcijferdelen, &P::frmcijferdelen>},
    {"frmcijferdelen2", &M::cmdkies, Get<placevalue::frmcijferdelen2, &P::frmcijferdelen2>},
    {"frmcijferdelen4", &M::Command5, Get<written::frmcijferdelen4, &P::frmcijferdelen4>},
    {"frmcijferdelen5", &M::Command4, Get<written::frmcijferdelen5, &P::frmcijferdelen5>},
};

const MenuRoad* RoadTo(std::string_view name) {
  for (const MenuRoad& r : kRoads)
    if (r.name == name) return &r;
  return nullptr;
}

bool Refuse(QString* why, const QString& text) {
  if (why) *why = text;
  return false;
}

}  // namespace

void FailAt(const QString& why, const std::source_location& where) {
  QTest::qFail(qPrintable(QStringLiteral("setup: ") + why), where.file_name(), int(where.line()));
}

bool StartToMenu(app::Program& p, QString* why) {
  p.Start();
  if (!p.frmmecenaat1().Visible()) return Refuse(why, QStringLiteral("the welcome screen is not on view after start"));
  if (!Pupil::Click(p.frmmecenaat1().cmdkombinnen))
    return Refuse(why, QStringLiteral("the welcome screen's big button cannot be clicked"));
  if (!p.frmkiesbasis().Visible()) return Refuse(why, QStringLiteral("the menu is not on view after the welcome"));
  return true;
}

bool OpenFromMenu(app::Program& p, std::string_view name, QString* why) {
  const QString screen = QString::fromLatin1(name.data(), qsizetype(name.size()));
  const MenuRoad* road = RoadTo(name);
  if (!road) return Refuse(why, QStringLiteral("no menu button opens a screen named %1").arg(screen));
  if (!p.frmkiesbasis().Visible()) return Refuse(why, QStringLiteral("the menu is not on view to open %1").arg(screen));
  if (!Pupil::Click(p.frmkiesbasis().*road->button))
    return Refuse(why, QStringLiteral("the menu button of %1 cannot be clicked").arg(screen));
  if (!road->screen(p).Visible()) return Refuse(why, QStringLiteral("%1 is not on view after its button").arg(screen));
  return true;
}

kit::Button* MenuButton(app::Program& p, std::string_view name) {
  const MenuRoad* road = RoadTo(name);
  return road ? &(p.frmkiesbasis().*road->button) : nullptr;
}

kit::Window& ScreenNamed(app::Program& p, std::string_view name) {
  const MenuRoad* road = RoadTo(name);
  return road ? road->screen(p) : static_cast<kit::Window&>(p.MDIForm2());
}

kit::ScriptedRandom& UseScript(app::Program& p, const QList<double>& script) {
  auto scripted = std::make_unique<kit::ScriptedRandom>();
  for (double r : script) scripted->Push(r);
  kit::ScriptedRandom& out = *scripted;
  p.SetRandom(std::move(scripted));
  return out;
}

ProgramRun::ProgramRun(const QList<double>& draws) : script(&UseScript(p, draws)) {}

void ProgramRun::Fail(const QString& why, const std::source_location& where) {
  ok_ = false;
  FailAt(why, where);
}

bool ProgramRun::ToMenu(const std::source_location& where) {
  QString why;
  started_ = true;
  if (StartToMenu(p, &why)) return true;
  Fail(why, where);
  return false;
}

void ProgramRun::OpenWindow(std::string_view name, const std::source_location& where) {
  if (!started_ && !ToMenu(where)) return;
  QString why;
  if (!OpenFromMenu(p, name, &why)) Fail(why, where);
}

}  // namespace testing_support
