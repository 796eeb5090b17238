#pragma once
// What every process that shows our screens on the desktop sets up first:
// the program (through kit::Application), the tests and the benchmarks alike,
// so that they all look and behave the same.

class QApplication;

namespace kit {

// Style, fonts, icon, and no automatic quit when a window closes (the program
// ends only through its own end routine).
void SetUpApplication(QApplication& app);

}  // namespace kit
