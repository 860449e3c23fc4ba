#pragma once
// The one QApplication of a widget test executable, made on first use.

#include <QApplication>

namespace vp::test {

inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "vantapoint-editor-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace vp::test
