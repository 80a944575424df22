#include <QApplication>
#include <gtest/gtest.h>

// Test discovery only lists the tests, without the headless settings that CTest gives the
// real run, so it must not open an application.

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
