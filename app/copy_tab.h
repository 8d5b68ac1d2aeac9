// The tab "资料系统,进销单据": copies one standard-edition database into a freshly installed one,
// step by step, on the standard-edition data module.
#pragma once
#include <QCheckBox>
#include <QWidget>
#include <functional>
#include <set>
#include <string>

#include "data/message_port.h"

namespace bm::migrate { class TBAS_DMFrm; }

namespace bm::app {

struct Program;

class CopyTab : public QWidget {
  Q_OBJECT
 public:
  CopyTab(Program& program, data::MessagePort& port, QWidget* parent);
  std::set<std::string> ticked() const;  // the ticked table boxes, by name

 private:
  void run(const std::function<void(migrate::TBAS_DMFrm&)>& operation);
  Program& program_;
  data::MessagePort& port_;
  QCheckBox* all_system_ = nullptr;
  std::vector<QCheckBox*> boxes_;
};

}  // namespace bm::app
