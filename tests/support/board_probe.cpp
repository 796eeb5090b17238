#include "support/board_probe.h"

#include "board/board.h"
#include "kit/keyfilter.h"
#include "support/pupil.h"
#include "kit/qt/native.h"

namespace testing_support {

BoardProbe& BoardProbe::Add(const QString& prefix, kit::Group<kit::TextBox>& group) {
  group.ForEach([&](kit::TextBox& b, int i) { boxes_.push_back({prefix + QString::number(i), &b}); });
  return *this;
}

BoardProbe& BoardProbe::Add(const QString& prefix, kit::Group<kit::TextBox>& group,
                            std::initializer_list<int> indices) {
  for (int i : indices) boxes_.push_back({prefix + QString::number(i), &group[i]});
  return *this;
}

BoardProbe& BoardProbe::Add(const QString& name, kit::TextBox& box) {
  boxes_.push_back({name, &box});
  return *this;
}

QStringList BoardProbe::Names() const {
  QStringList out;
  for (const Entry& e : boxes_) out << e.name;
  return out;
}

QStringList BoardProbe::Texts() const {
  QStringList out;
  for (const Entry& e : boxes_) out << e.box->Text();
  return out;
}

bool BoardProbe::Is(const kit::TextBox& box, Look look) {
  return Holds(box, look, look == Look::Focus ? Pupil::Focused() : nullptr);
}

bool BoardProbe::Holds(const kit::TextBox& box, Look look, const QWidget* focused) {
  switch (look) {
    case Look::Visible: return box.Visible();
    case Look::Enabled: return box.Enabled();
    case Look::Italic: return box.Italic();
    case Look::Red: return box.BackColor() == kit::colours::kWrong;
    case Look::White: return box.BackColor() == kit::colours::kWhite;
    // Where the pupil's next key goes, as the Pupil types it.
    case Look::Focus: return focused && focused == kit::qt::Widget(box);
  }
  return false;
}

QString BoardProbe::Where(Look look) const {
  const QWidget* focused = look == Look::Focus ? Pupil::Focused() : nullptr;
  QStringList out;
  for (const Entry& e : boxes_)
    if (Holds(*e.box, look, focused)) out << e.name;
  return out.join(u' ');
}

QString BoardProbe::Mismatch(const QStringList& expected) const {
  const QStringList have = Texts();
  for (qsizetype i = 0; i < std::min(have.size(), expected.size()); ++i)
    if (have[i] != expected[i])
      return QStringLiteral("%1 holds \"%2\", expected \"%3\"").arg(boxes_[std::size_t(i)].name, have[i], expected[i]);
  if (have.size() != expected.size())
    return QStringLiteral("%1 boxes read, %2 texts expected").arg(have.size()).arg(expected.size());
  return {};
}

QString LinesShown(board::BoardScreen& s) {
  QStringList out;
  for (auto [group, name] : {std::pair{&s.lnemin, "min"}, {&s.lneHT1, "HT1_"}, {&s.lneE, "E"}})
    group->ForEach([&out, name = name](kit::Line& l, int i) {
      if (l.Visible()) out << QLatin1String(name) + QString::number(i);
    });
  if (s.lneHT.Visible()) out << QStringLiteral("HT");
  return out.join(u' ');
}

QStringView BoxCharacters(const kit::Window& screen) {
  const auto* b = dynamic_cast<const board::BoardScreen*>(&screen);
  return b ? b->Allowed() : kit::kDigits;
}

}  // namespace testing_support
