#include <memory>

#include "app/program.h"
#include "kit/application.h"

int main(int argc, char* argv[]) {
  kit::Application platform(argc, argv);
  // Static: in a page the event loop outlives main. Where the run ends, the
  // screens go before the platform does.
  static std::unique_ptr<app::Program> program;
  const int code = platform.Run([] {
    program = std::make_unique<app::Program>([](int exitCode) { kit::Application::End(exitCode); });
    program->Start();
  });
  program.reset();
  return code;
}
