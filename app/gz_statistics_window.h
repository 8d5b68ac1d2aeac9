// "查看统计数据": row counts of the GZ70 source beside those of the target.
#pragma once
#include <QPlainTextEdit>
#include <QWidget>

#include "app/qt_message_port.h"

namespace bm::app {

struct Program;

class TgzToqimshowfrm : public QWidget {
  Q_OBJECT
 public:
  explicit TgzToqimshowfrm(Program& program);
  void Button1Click();  // appends one report to the memo

 private:
  Program& program_;
  WindowPort port_;
  QPlainTextEdit* memo_;
};

}  // namespace bm::app
