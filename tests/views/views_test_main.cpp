// The view tests run inside one application object, the program's own kind, so that
// an error escaping an event handler is reported as in the program.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/qt/error_display.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Window tests are headless, also when CTest lists them without its environment.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    kvx::TGuardedApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
