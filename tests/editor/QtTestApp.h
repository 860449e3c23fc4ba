#pragma once
// The one QApplication of a widget test executable, made on first use.

#include <QApplication>

namespace vp::test {

// Never destroyed: Qt's input devices, which the test clicks create, must not outlive it at exit.
inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "vantapoint-editor-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

} // namespace vp::test
