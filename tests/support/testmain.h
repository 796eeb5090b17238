#pragma once
// Test programs set up the application exactly as the program does.

#include <QApplication>
#include <QTest>

#include "kit/qt/application.h"

#define REKENTOL_TEST_MAIN(TestObject)          \
  int main(int argc, char** argv) {             \
    QApplication app(argc, argv);               \
    kit::SetUpApplication(app);                 \
    TestObject tc;                              \
    return QTest::qExec(&tc, argc, argv);       \
  }
