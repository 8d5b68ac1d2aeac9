// The desktop program. Nothing is read at start but one explicit demo option:
//   bookmove [--sqlserver-standin FOLDER]   serve SQL Server databases from the stand-in's folder
#include <QApplication>
#include <QMessageBox>
#include <cstring>

#include "app/main_window.h"
#include "app/program.h"
#include "data/drivers/install.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("bookmove");
  QApplication::setApplicationDisplayName("bookmove");
  bm::data::install_default_drivers();
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sqlserver-standin") == 0 && i + 1 < argc) {
      try {
        bm::data::use_sqlserver_standin(argv[++i]);
      } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "bookmove", QString::fromStdString(e.what()));
        return 1;
      }
    }
  }
  bm::app::Program program;
  program.start();
  program.Mainfrm->show();
  return app.exec();
}
