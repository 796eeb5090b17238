#pragma once
// The run of the program on its platform: the desktop's event loop, or the
// page's. The program builds its screens once the platform is set up and
// ends the run only through End.

#include <functional>
#include <memory>

namespace kit {

class Application {
 public:
  // Sets the platform up; on a desktop without a display it says so in one
  // line and Run then returns 1 at once.
  Application(int& argc, char** argv);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Calls start once the platform is ready and runs the event loop until the
  // program ends; its exit code. The page's loop never ends: a browser tab is
  // not closed by its page.
  int Run(const std::function<void()>& start);
  // Ends the event loop with this code.
  static void End(int code);

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace kit
