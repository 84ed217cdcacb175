// The window tests run inside one application object, the program's own kind, so
// that errors escaping event handlers reach the error display as in the program.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/qt/error_display.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Window tests are headless, also when CTest lists them without its environment.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    kvx::TGuardedApplication app(argc, argv);
    // Tests close main windows outside any event loop; that must not end the next test's.
    app.setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
