#include "app/maintenance_tab.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program.h"

namespace bm::app {

using migrate::TBAS_DMFrm;

namespace {
const char* kNotes[] = {"第一步：选择目标数据库，连接目标", "第二步：升级操作", "第三步：输入仓号，进行重算操作",
                        "第四步：还原升级操作(可选)"};

QDate to_qdate(const data::Date& d) { return QDate(d.year, d.month, d.day); }
QTime to_qtime(const data::Time& t) { return QTime(t.hour, t.minute, t.second); }
data::Date from_qdate(const QDate& d) { return {d.year(), d.month(), d.day()}; }
data::Time from_qtime(const QTime& t) { return {t.hour(), t.minute(), t.second(), 0}; }
}  // namespace

MaintenanceTab::MaintenanceTab(Program& program, data::MessagePort& port, QWidget* parent)
    : QWidget(parent), program_(program), port_(port) {
  setObjectName("TabSheet3");
  auto* root = new QHBoxLayout(this);
  auto* notes = new QVBoxLayout;
  root->addLayout(notes);
  for (const char* n : kNotes) notes->addWidget(new QLabel(n, this));
  notes->addStretch();

  auto* grid = new QGridLayout;
  root->addLayout(grid);
  auto button = [&](const char* name, const char* caption, int r, int c, std::function<void()> handler) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, std::move(handler));
    grid->addWidget(b, r, c);
  };
  button("btnDBInit", "升级操作", 0, 0, [this] { run([](TBAS_DMFrm& dm) { dm.CreateStockProcedures(); }); });
  button("btnReCalProviderAndDiscount", "重算主要供应商", 1, 0,
         [this] { run([](TBAS_DMFrm& dm) { dm.ReCalProvider(); }); });
  auto* libno_label = new QLabel("仓号", this);
  libno_label->setObjectName("Label7");
  grid->addWidget(libno_label, 1, 1);
  auto* libno = new QLineEdit("1", this);
  libno->setObjectName("EdtLibno");
  grid->addWidget(libno, 1, 2);

  // The re-apply range as the tab starts: the end date is today.
  migrate::DateRange initial = migrate::initial_reapply_range(from_qdate(QDate::currentDate()));
  auto date = [&](const char* name, const data::Date& d) {
    auto* e = new QDateEdit(to_qdate(d), this);
    e->setObjectName(name);
    e->setDisplayFormat("yyyy/MM/dd");
    e->setCalendarPopup(true);
    return e;
  };
  auto time = [&](const char* name, const data::Time& t) {
    auto* e = new QTimeEdit(to_qtime(t), this);
    e->setObjectName(name);
    e->setDisplayFormat("HH:mm:ss");
    return e;
  };
  grid->addWidget(new QLabel("起始时间", this), 2, 0);
  DateTimePicker1 = date("DateTimePicker1", initial.from.date);
  DateTimePicker4 = time("DateTimePicker4", initial.from.time);
  grid->addWidget(DateTimePicker1, 2, 1);
  grid->addWidget(DateTimePicker4, 2, 2);
  grid->addWidget(new QLabel("终止时间", this), 3, 0);
  DateTimePicker2 = date("DateTimePicker2", initial.to.date);
  DateTimePicker3 = time("DateTimePicker3", initial.to.time);
  grid->addWidget(DateTimePicker2, 3, 1);
  grid->addWidget(DateTimePicker3, 3, 2);

  button("btncalPur", "重算所有采购", 4, 0, [this] {
    auto r = range();
    run([r](TBAS_DMFrm& dm) { dm.ReapplyPurchases(r.from, r.to); });
  });
  button("btncalSal", "重算所有销售", 4, 1, [this] {
    auto r = range();
    run([r](TBAS_DMFrm& dm) { dm.ReapplySales(r.from, r.to); });
  });
  button("btnDBRestore", "还原升级操作(可选)", 5, 0, [this] { run([](TBAS_DMFrm& dm) { dm.DropStockProcedures(); }); });
  grid->setRowStretch(6, 1);
}

migrate::DateRange MaintenanceTab::range() const {
  return migrate::reapply_range(from_qdate(DateTimePicker1->date()), from_qtime(DateTimePicker4->time()),
                                from_qdate(DateTimePicker2->date()), from_qtime(DateTimePicker3->time()));
}

void MaintenanceTab::run(const std::function<void(TBAS_DMFrm&)>& operation) {
  data::run_step(port_, [&] { operation(program_.bas_dm()); });
}

}  // namespace bm::app
