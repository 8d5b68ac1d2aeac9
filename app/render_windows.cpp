// Renders every window of the program to PNG files, offscreen:
//   render_windows OUTPUT_FOLDER [FONT_FILE]
// The font file (a CJK font) is loaded and made the program's font, so the Chinese captions
// render without a display's font configuration.
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPushButton>
#include <QTabWidget>
#include <cstdio>

#include "app/converter_window.h"
#include "app/gz_statistics_window.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/program_tables.h"
#include "app/test_rules_window.h"

namespace {

bool save(QWidget& w, const QString& folder, const QString& name) {
  w.show();
  QApplication::processEvents();
  QString file = QDir(folder).filePath(name + ".png");
  bool ok = w.grab().save(file);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", file.toLocal8Bit().constData());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_windows OUTPUT_FOLDER [FONT_FILE]\n");
    return 2;
  }
  QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  if (argc > 2) {
    int id = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[2]));
    if (id >= 0) {
      QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
      font.setPointSize(10);
      QApplication::setFont(font);
    } else {
      std::fprintf(stderr, "cannot load the font %s\n", argv[2]);
    }
  }

  bm::data::SilentPort silent;  // no box may block the rendering
  bm::app::Program program(&silent);
  program.exec_modal = [](QDialog& d) { d.show(); };
  program.start();

  bool ok = true;
  auto& main = *program.Mainfrm;
  main.findChild<QPushButton*>("btnShowPass")->click();  // with the launcher panel shown
  auto* tabs = main.findChild<QTabWidget*>("PageControl1");
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    ok &= save(main, folder, QString("Mainfrm-tab%1").arg(i + 1));
  }
  for (const auto& entry : bm::app::converter_entries()) {
    bm::app::ConverterWindow* w = program.*(entry.window);
    if (!w) w = program.open_converter_window(entry.window_class);
    ok &= save(*w, folder, QString::fromStdString(bm::app::object_name(entry.window_class)));
  }
  if (program.frmTest) ok &= save(*program.frmTest, folder, "frmTest");
  if (program.gzToqimshowfrm) ok &= save(*program.gzToqimshowfrm, folder, "gzToqimshowfrm");
  std::printf("pictures in %s\n", QDir(folder).absolutePath().toLocal8Bit().constData());
  return ok ? 0 : 1;
}
