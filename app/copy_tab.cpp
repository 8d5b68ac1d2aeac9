#include "app/copy_tab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program.h"
#include "app/qt_text.h"
#include "migrate/bas_dm.h"
#include "migrate/standard_copy_plan.h"

namespace bm::app {

using migrate::TBAS_DMFrm;

CopyTab::CopyTab(Program& program, data::MessagePort& port, QWidget* parent)
    : QWidget(parent), program_(program), port_(port) {
  setObjectName("TabSheet1");
  auto* row = new QHBoxLayout(this);

  // Left: the table boxes in their groups, and "执 行" below them.
  auto* left = new QVBoxLayout;
  row->addLayout(left, 3);
  auto* grid = new QGridLayout;
  left->addLayout(grid);
  int i = 0;
  for (const auto& group : migrate::copy_tab_check_boxes()) {
    auto* box = new QGroupBox(group.caption, this);
    auto* v = new QVBoxLayout(box);
    for (const auto& def : group.boxes) {
      auto* cb = new QCheckBox(def.caption, box);
      cb->setObjectName(def.name);
      v->addWidget(cb);
      boxes_.push_back(cb);
    }
    v->addStretch();
    grid->addWidget(box, 0, i++, Qt::AlignTop);
  }
  auto* execute = new QPushButton("执 行", this);
  execute->setObjectName("btnTOqim");
  left->addWidget(execute);
  connect(execute, &QPushButton::clicked, this, [this] {
    auto boxes = ticked();
    run([&](TBAS_DMFrm& dm) { dm.CopyTickedTables(boxes); });
  });

  // Right: the steps from top to bottom.
  auto* right = new QVBoxLayout;
  row->addLayout(right, 2);
  auto add = [&](const char* name, const char* caption, std::function<void()> handler) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setMinimumHeight(28);
    connect(b, &QPushButton::clicked, this, std::move(handler));
    right->addWidget(b);
    return b;
  };
  add("btnStart", "第一步 清除目标空库原始发布数据", [this] { run([](TBAS_DMFrm& dm) { dm.ClearTarget(); }); });
  add("btnTR_Close", "第二步 屏蔽触发器", [this] { run([](TBAS_DMFrm& dm) { dm.CloseTriggers(); }); });
  all_system_ = new QCheckBox("所有系统信息,包括部门表，仓库表等", this);
  all_system_->setObjectName("cbxsys_all");
  all_system_->setChecked(true);
  all_system_->setStyleSheet("color: red;");
  right->addWidget(all_system_);
  add("btnAllBatchMove", "第三步 执行信息表", [this] {
    bool all = all_system_->isChecked();
    run([all](TBAS_DMFrm& dm) { dm.CopySystemTables(all); });
  });
  auto* hint = add("btnBatchMove", "执行左边的选项表", [this] { port_.info("勾选选项表导入数据！"); });
  hint->setMinimumHeight(48);
  add("btnTR_Open", "第四步 还原触发器", [this] { run([](TBAS_DMFrm& dm) { dm.OpenTriggers(); }); });
  add("btnOP", "第五步 还原数据库的操作值", [this] { run([](TBAS_DMFrm& dm) { dm.RepairCounters(); }); });
  add("btnTest", "第六步 测试,测试规则", [this] { program_.open_test_rules(window()); });
  right->addStretch();
}

std::set<std::string> CopyTab::ticked() const {
  std::set<std::string> names;
  for (auto* cb : boxes_)
    if (cb->isChecked()) names.insert(ss(cb->objectName()));
  return names;
}

void CopyTab::run(const std::function<void(TBAS_DMFrm&)>& operation) {
  data::run_step(port_, [&] { operation(program_.bas_dm()); });
}

}  // namespace bm::app
