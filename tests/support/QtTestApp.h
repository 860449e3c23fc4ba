#pragma once
// The one QApplication of a widget test executable, made on first use.

#include <QApplication>

namespace vp::test {

// Never destroyed: at exit Qt's own globals (input devices made by simulated events) are already
// gone, and tearing the application down after them crashes.
inline QApplication& testApp()
{
    static int argc = 1;
    static char name[] = "vantapoint-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

} // namespace vp::test
