// "测试规则": the checks the technician makes by hand on the copied database.
#pragma once
#include <QDialog>

namespace bm::app {

class TfrmTest : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmTest(QWidget* parent = nullptr);
};

}  // namespace bm::app
