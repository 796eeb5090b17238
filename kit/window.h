#pragma once
// Free-standing windows. Every screen is one; the main window is a frame window
// with a menu bar that serves as the backdrop.
//
// Showing a window runs its load handler (the first time only) and then its
// activation handler, both to completion before Show() returns. "Activation" is
// the program showing the window: a desktop focus change is not one, because
// the scoring screens take over the total on activation.

#include <QColor>
#include <QString>
#include <functional>
#include <memory>

#include "kit/accessible.h"
#include "kit/controls.h"

namespace kit {

class Window : public Container {
 public:
  Window(const QString& caption, int clientWidth, int clientHeight, const QColor& back);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Runs the load handler if it has not run yet.
  void Load();
  void Show();
  void Hide();
  bool Visible() const;
  // Brings the window to the front without an activation.
  void Raise();

  void SetCaption(const QString& caption);
  QString Caption() const;
  void SetBackColor(const QColor& colour);
  QColor BackColor() const { return back_; }
  // Makes words heard by a screen reader once the handler has finished
  // (kit/accessible.h): what a seeing pupil reads that no focus brings to the ear.
  void Say(const QString& text, Heard kind = Heard::Said);
  void Say(std::function<QString()> words, Heard kind = Heard::Said);
  // The task of a new exercise, heard first, with the box the pupil starts in.
  void SayTask(std::function<QString()> words);
  // Takes what was heard out of the window's reach now (the board it spoke of
  // is gone); words a handler has not finished saying stay.
  void ForgetSaid();
  // Availability to the pupil (enabled state).
  void SetAvailable(bool available);
  bool Available() const;

  // Outer size and position in twips.
  int Width() const;
  int Height() const;
  int Left() const;
  int Top() const;
  void Move(int left, int top);
  // Left edge = (display width - own width) / 2, top likewise, the own size
  // counting the desktop's frame (once the desktop has framed the window).
  void CentreOnDisplay();

  // Keeps this window above owner and usable while owner is unavailable.
  // The window kept above the owner that was shown last holds the keyboard:
  // the desktop's activation of the owner (a click on the backdrop, Alt+Tab)
  // is handed on to it, as a dialog keeps it, so that a pupil's keys never
  // go to the empty main window; its menu bar still works with the mouse. A window shown before its owner reached the
  // screen is brought back to the front once the owner is there, since a
  // window manager stacks a window by its transient parent only when that
  // parent is already managed.
  void KeepAbove(Window& owner);

  // The window's close box (or the desktop's close command); nothing happens
  // unless a handler is set.
  std::function<void()> onClose;
  // The help key (F1), wherever the focus is in the window.
  void OnHelpKey(std::function<void()> handler);

  Native& Surface() const override;
  // The platform's own window, for the backend and its test drivers.
  Native& Platform() const;

  // The backend's part of a window.
  struct Parts;

 protected:
  // For the frame window, which brings a menu bar.
  struct WithMenuBar {};
  Window(WithMenuBar, const QString& caption, int width, int height, const QColor& back);
  virtual void Form_Load() {}
  virtual void Form_Activate() {}

 private:
  void Init(const QString& caption, const QColor& back);
  // The visible window kept above this one that was shown last, or null.
  Window* InUseAbove() const;
  // Counts the showings of every window, for shownAt_.
  static unsigned long long NextShowing();
  void FrontAbove();

  std::unique_ptr<Parts> parts_;
  std::vector<Window*> above_;              // windows kept above this one
  Window* owner_ = nullptr;                 // the window this one is kept above
  unsigned long long shownAt_ = 0;          // when this window was last shown, in shows
  QColor back_;
  bool loaded_ = false;
};

class MenuItem {
 public:
  std::function<void()> onClick;
};

// The main window: a frame with a menu bar.
class FrameWindow : public Window {
 public:
  FrameWindow(const QString& caption, int width, int height, const QColor& back);
  // Adds a menu with one item; the returned item lives as long as the window.
  MenuItem& AddMenu(const QString& menuCaption, const QString& itemCaption);

 private:
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace kit
