// The tab "标准版维护": stock procedures, main suppliers and re-applying purchases and sales on
// the target of the standard-edition data module.
#pragma once
#include <QDateEdit>
#include <QTimeEdit>
#include <QWidget>
#include <functional>

#include "data/message_port.h"
#include "migrate/bas_dm.h"

namespace bm::app {

struct Program;

class MaintenanceTab : public QWidget {
  Q_OBJECT
 public:
  MaintenanceTab(Program& program, data::MessagePort& port, QWidget* parent);
  // The range of a re-apply: each date with its own time.
  migrate::DateRange range() const;

 private:
  void run(const std::function<void(migrate::TBAS_DMFrm&)>& operation);
  Program& program_;
  data::MessagePort& port_;
  QDateEdit* DateTimePicker1;
  QTimeEdit* DateTimePicker4;
  QDateEdit* DateTimePicker2;
  QTimeEdit* DateTimePicker3;
};

}  // namespace bm::app
