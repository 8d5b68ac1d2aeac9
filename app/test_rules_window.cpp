#include "app/test_rules_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "migrate/standard_copy_plan.h"

namespace bm::app {

TfrmTest::TfrmTest(QWidget* parent) : QDialog(parent) {
  setObjectName("frmTest");
  setProperty("className", "TfrmTest");
  setWindowTitle("测试规则");
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("Memo1");
  QFont font = memo->font();
  font.setPointSize(18);
  font.setBold(true);
  memo->setFont(font);
  for (const auto& line : migrate::test_rule_lines()) memo->appendPlainText(qs(line));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo);
  resize(520, 420);
}

}  // namespace bm::app
