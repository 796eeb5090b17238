#pragma once
// The page backend's side of the controls and windows: the element behind
// each, for the backend's own files. Screens never include it.

#include <emscripten/val.h>

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kit/accessible.h"
#include "kit/controls.h"
#include "kit/window.h"

namespace kit {

namespace web {
struct WindowState;
}

struct Native {
  Native();
  ~Native();
  Native(const Native&) = delete;
  Native& operator=(const Native&) = delete;

  emscripten::val el = emscripten::val::undefined();
  // A button's caption and picture, a frame's drawn caption.
  emscripten::val caption = emscripten::val::undefined();
  emscripten::val picture = emscripten::val::undefined();
  // A status bar's panels.
  std::vector<emscripten::val> panels;
  // The window the element lies in; set when it is placed.
  web::WindowState* window = nullptr;
  // What the page's events for this element reach (web::Listen).
  int id = 0;
  std::function<void(const std::string& type, emscripten::val event)> onEvent;

  // A text box's state, kept here rather than read back from the element:
  // whatever the browser put into the element behind our back is put right.
  QString text;
  QString undoText;        // before the pupil's last edit, for Ctrl+Z
  bool undoable = false;
  bool cutByKey = false;   // a Ctrl+X the handler let through; its cut event follows
  bool locked = false;
  bool heardAsText = false;
  bool disabled = false;
  bool keepFocusAway = false;
  bool touchPlaced = false;  // at the place a finger needs (Control::SetTouchPlace)
  Font font;
};

namespace web {

using emscripten::val;

// One window's page state: its element, what had its focus, its help key.
struct WindowState {
  Window* window = nullptr;
  val el = val::undefined();
  Native* focus = nullptr;   // the control that has (or last had) the focus in the window
  std::function<void()> help;
  bool available = true;
  // What its handlers said, not yet heard (accessible.cpp).
  Words task;
  std::vector<Words> rest;
  bool sayScheduled = false;
  // The frame window's menu bar and its items.
  val nav = val::undefined();
  std::vector<std::unique_ptr<Native>> menu;
  double shownAtMs = 0;
};

val Document();
val Create(const char* tag, const char* cls = nullptr);
std::string Utf8(const QString& s);
QString FromJs(const val& v);
std::string Css(const QColor& c);
std::string CssPx(double px);
// The CSS font of a kit font: its family, then Arial's metric twins.
std::string CssFont(const Font& font);
void ApplyFont(val& el, const Font& font);
void SetPlace(val& el, const Place& place);

// Sends the element's events of the given types to native.onEvent; ids are
// handed out here and forgotten when the native goes.
void Listen(Native& native, std::initializer_list<const char*> types, bool passive = false);

// Whether the control can take the focus now: shown and enabled up to its window.
bool Focusable(const Native& native);
void Focus(Native& native);
// The control that has the keyboard focus, if it is one of ours.
Native* Focused();
Native* ById(int id);

// A picture from the compiled-in resources as a data: URL, and its own size in px.
std::string PictureUrl(const QString& resource);
QSize PictureSize(const QString& resource);

// The stage is laid out again: which window is in use, its scale.
void Relayout();
// The help key, for the window in use (window.cpp).
void HelpKey();
// The controls of a window that Tab stops at and that can take the focus,
// in Tab order (document order); the menu bar's too where asked (dom.cpp).
std::vector<Native*> TabStops(const val& windowEl, bool withMenuBar);
// Tab past the last control of the window in use (Shift+Tab before its
// first) goes round to the other end, as in a desktop window, rather than out
// of the page into the browser's own bar; true when it did (window.cpp).
bool WrapTab(bool backwards);
// Gives a text box the key handling of keyinput.h (keyinput.cpp).
void InstallTextBox(TextBox& box, Native& native);
// A text box's text into its element, and back after the browser changed it.
void Render(Native& box);
// Moves the focus on when the control that had it is hidden or disabled, as
// the desktop does: to the next control that can take it, in Tab order.
void FocusGone(Native& native);

// What Window::Say makes heard (accessible.cpp).
void Say(WindowState& window, Words words, bool task);
void ForgetSaid(WindowState& window);
void WindowHidden(WindowState& window);
void WindowShown(WindowState& window);
void WindowGone(WindowState& window);

// The text of the paste being made, or of the last one.
void SetClipboard(const QString& text);

}  // namespace web
}  // namespace kit
