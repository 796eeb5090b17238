#pragma once
// The controls the screens are built from: thin objects over the platform's
// own controls (Qt widgets on the desktop, kit/qt/; page elements in the
// browser, kit/web/) that offer exactly the properties and events the
// screens use, placed in twips.
//
// Event contract (every screen relies on it):
// - A program-set text raises the box's change handler at once, nested inside
//   the statement that set it; setting the text a box already holds is no change.
// - A key press reaches the key-press handler before the box applies it; the
//   handler swallows it by setting the key code to 0. Text that would enter
//   without a key press and that no rule can check is refused (keyinput.h).
// - Giving the focus to a hidden or disabled control does nothing.
// - Graphical controls (labels, pictures, lines, shapes) always lie below the
//   windowed ones (text boxes, buttons, frames), each kind in creation order.

#include <QColor>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "kit/units.h"

namespace kit {

class Clock;
class Container;

// The platform's object behind a control or a container: each backend defines
// it, and nothing outside the backend looks inside.
struct Native;

enum class Align { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  // The control's own setting, whether or not its window is on screen.
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  virtual void SetToolTipText(const QString& text);
  QString ToolTipText() const;
  // The name a screen reader says for the control (accessible.h).
  void SetAccessibleName(const QString& name);
  QString AccessibleName() const;
  // What a screen reader says after the name (else the tool tip).
  void SetAccessibleDescription(const QString& text);
  void SetBackColor(const QColor& colour);
  QColor BackColor() const { return back_; }
  void SetForeColor(const QColor& colour);
  QColor ForeColor() const { return fore_; }
  void SetFont(const Font& font);
  Place Geometry() const { return place_; }
  // For controls that share one place with others, each shown in turn: one
  // that is hidden and shown again comes in front of the rest, so that what a
  // step shows is what the pupil sees and clicks there.
  void ComeToFrontWhenShown() { frontWhenShown_ = true; }
  // Where the control stands on a platform worked by touch (the page):
  // controls placed partly over each other leave a mouse the strip on view,
  // which is too little for a finger. Elsewhere the control keeps its place.
  void SetTouchPlace(const Place& place);

  // For the backend itself and for its test drivers; screens do not use it.
  Native& Platform() const { return *native_; }

 protected:
  enum class Layer { Graphical, Windowed };
  Control(Container& parent, std::unique_ptr<Native> native, const Place& place, Layer layer);
  virtual void ApplyColours();
  // Moves the control to a new place in its container.
  void Move(const Place& place);
  // For the controls that take the focus: nothing happens when the control is
  // hidden or disabled.
  void SetFocus();
  bool HasFocus() const;

 private:
  std::unique_ptr<Native> native_;
  Place place_;
  QColor back_;
  QColor fore_;
  bool frontWhenShown_ = false;
};

// Something controls are placed in: a window or a frame.
class Container {
 public:
  Container();
  virtual ~Container();
  // Where the container's controls are placed.
  virtual Native& Surface() const = 0;

 private:
  friend class Control;
  // How the backend keeps the controls' order (graphical under windowed).
  struct Stacking;
  std::unique_ptr<Stacking> stacking_;
};

// An indexed group of controls: one name, an element per index. A group whose
// numbering starts above 0 (a board without element 0) skips the indices it
// lacks; asking for a skipped index throws like one past the end.
template <class T>
class Group {
 public:
  T& operator[](int index) { return *Element(index); }
  const T& operator[](int index) const { return *Element(index); }
  int Count() const { return static_cast<int>(items_.size()); }
  bool Has(int index) const { return index >= 0 && index < Count() && items_[std::size_t(index)]; }
  template <class... Args>
  T& Add(Args&&... args) {
    items_.push_back(std::make_unique<T>(std::forward<Args>(args)...));
    return *items_.back();
  }
  void Skip() { items_.push_back(nullptr); }
  // Every element there is, skipped indices left out.
  template <class F>
  void ForEach(F f) {
    for (int i = 0; i < Count(); ++i)
      if (Has(i)) f((*this)[i], i);
  }
  template <class F>
  void ForEach(F f) const {
    for (int i = 0; i < Count(); ++i)
      if (Has(i)) f((*this)[i], i);
  }

 private:
  const std::unique_ptr<T>& Element(int index) const {
    const auto& item = items_.at(static_cast<std::size_t>(index));
    if (!item) throw std::out_of_range("kit::Group: no element at this index");
    return item;
  }
  std::vector<std::unique_ptr<T>> items_;
};

class TextBox final : public Control {
 public:
  TextBox(Container& parent, const Place& place, const Font& font = {}, Align align = Align::Centre);
  ~TextBox() override;

  QString Text() const;
  void SetText(const QString& text);
  // Sets the text without raising the change handler: for clear routines that
  // must not set off the board's reactions.
  void SetTextQuiet(const QString& text);
  void SetItalic(bool italic);
  bool Italic() const;
  using Control::HasFocus;
  using Control::SetFocus;
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);
  // Shown but not editable; the pupil may still click into it.
  void SetLocked(bool locked);
  // A box that only shows a caption (a column head): a screen reader reads
  // it as text; it is locked as well.
  void SetHeardAsText();

  std::function<void()> onChange;
  std::function<void(int& keyAscii)> onKeyPress;
  std::function<void()> onClick;

 protected:
  void ApplyColours() override;
};

class Label final : public Control {
 public:
  Label(Container& parent, const Place& place, const QString& caption = {}, const Font& font = {},
        Align align = Align::Left);
  QString Caption() const;
  void SetCaption(const QString& caption);
  // Room between the caption and the label's edge.
  void SetMargin(int twips);
  std::function<void()> onClick;
};

// How a picture button looks: its picture, tool tip and background.
struct ButtonLook {
  QString picture;
  QString toolTip;
  QColor back;
};

// A push button that shows a picture (or a caption) and may carry a tool tip.
class Button final : public Control {
 public:
  Button(Container& parent, const Place& place, const QString& caption, const QString& picture = {},
         const Font& font = {});
  Button(Container& parent, const Place& place, const ButtonLook& look);
  QString Caption() const;
  void SetCaption(const QString& caption);
  // Moves a text button's caption to its top or bottom edge: for a button that
  // another lies across, so that its caption stays in the part on view.
  void SetCaptionVAlign(VAlign align);
  // A picture button's tip is its name to a screen reader, unless it has a caption.
  void SetToolTipText(const QString& text) override;
  // Out of the Tab order, and a click leaves the focus where it was: for a
  // button that helps with the box the pupil is in.
  void KeepFocusAway();
  using Control::HasFocus;
  using Control::SetFocus;
  std::function<void()> onClick;

 protected:
  void ApplyColours() override;

 private:
  // Names the button by its caption, or by its tip where the caption is a
  // picture or drawn by a label, which a screen reader does not see.
  void Rename();
};

// A picture from the compiled-in resources, drawn at its place's size (or at
// its own size when the place gives none).
class Picture final : public Control {
 public:
  Picture(Container& parent, const Place& place, const QString& resource);
  std::function<void()> onClick;
};

// A straight line between two points, pixelWidth wide.
class Line final : public Control {
 public:
  Line(Container& parent, TwipPoint from, TwipPoint to, int pixelWidth, const QColor& colour);
  TwipPoint From() const { return from_; }
  TwipPoint To() const { return to_; }

 private:
  TwipPoint from_;
  TwipPoint to_;
};

// A rectangle, filled and outlined where given a colour for either.
class Shape final : public Control {
 public:
  Shape(Container& parent, const Place& place, const QColor& fill, const QColor& border = {});
};

// A frame with a caption; controls placed in it use its client coordinates and
// are hidden with it.
class Frame final : public Control, public Container {
 public:
  Frame(Container& parent, const Place& place, const QString& caption, const Font& font = {});
  Native& Surface() const override { return Platform(); }
  QString Caption() const;
};

// Ticks every interval while enabled, on the clock it is given (clock.h): on
// a manual clock only through Fire().
class Timer {
 public:
  Timer(int intervalMs, const Clock& clock);
  void SetEnabled(bool enabled);
  bool Enabled() const;
  int Interval() const;
  // Runs the tick handler now: lets a test walk through ticks without waiting.
  void Fire();
  std::function<void()> onTimer;

 private:
  // Owned here and nowhere else: a timer parented to a window as well would be
  // deleted twice when the window went first.
  QTimer timer_;
  const Clock& clock_;
  bool enabled_ = false;
};

// A status bar with text panels side by side, their widths in proportion to
// their stretch; a progress bar can be placed inside one panel.
class StatusBar final : public Control {
 public:
  StatusBar(Container& parent, const Place& place, const std::vector<int>& panelStretch);
  int PanelCount() const;
  QString PanelText(int panel) const;
  void SetPanelText(int panel, const QString& text);
  QString PanelTag(int panel) const;
  void SetPanelTag(int panel, const QString& tag);
  Place PanelRect(int panel) const;  // in the status bar
  int PanelWidth(int panel) const;
  int BlankWidth() const;            // of one blank in the panels' font

 private:
  std::vector<QString> tags_;
};

class ProgressBar final : public Control {
 public:
  explicit ProgressBar(Container& parent);
  void SetRange(int min, int max);
  int Minimum() const;
  int Maximum() const;
  void SetValue(int value);
  int Value() const;
  // Shows the bar at a place inside the status bar, from 0; TakeBack hides it
  // in its container again.
  void PlaceInto(StatusBar& bar, const Place& place);
  void TakeBack(Container& owner);
};

}  // namespace kit
