// The main of the window tests: an offscreen application around the test run.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "data/drivers/install.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // also when started by hand
  QApplication app(argc, argv);
  bm::data::install_default_drivers();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
