#include "framework/application.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
#ifdef VEXILO_TEST_REAL_DISPLAY
  if (const char *display = std::getenv("VEXILO_TEST_DISPLAY"))
    setenv("DISPLAY", display, 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
#else
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
#endif
  TApplication application(argc, argv);
  // Tests never block on a dialog: a message box that nobody expected fails the test.
  application.SetMessagePresenter([](const std::string &text, const std::string &, int) {
    ADD_FAILURE() << "unexpected message box: " << text;
    return static_cast<int>(IDOK);
  });
  return RUN_ALL_TESTS();
}
