// The main window "数据转移,维护操作": source and target of the standard-edition copy, the locked
// launcher panel, and the three tabs (copy, remote-desktop port, upgrade and recalculation).
#pragma once
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "app/qt_message_port.h"

namespace bm::app {

struct Program;

// The access code of the launcher panel (compared case-sensitively).
inline constexpr const char* kAccessCode = "LuYu2011";

// "版本时间：" followed by the last-write date of the executable in the short date format, or
// "版本时间：" alone when the file cannot be looked up.
QString version_caption(const QString& executable);

class TMainfrm : public QWidget {
  Q_OBJECT
 public:
  explicit TMainfrm(Program& program);
  data::MessagePort& port() { return port_.get(); }

  void btnSClick();
  void btnDClick();
  void btnShowPassClick();
  void launch(const char* window_class);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* build_top();
  Program& program_;
  WindowPort port_;
  QLineEdit* EdtDataS;
  QLineEdit* EdtDataD;
  QLineEdit* EdtPass;
  QPushButton* btnShowPass;
  QWidget* Panel2;
};

}  // namespace bm::app
