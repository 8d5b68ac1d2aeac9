// The tab "大客户维护操作": reads and writes the remote-desktop port of this machine.
#pragma once
#include <QLineEdit>
#include <QWidget>

#include "data/message_port.h"

namespace bm::app {

class PortTab : public QWidget {
  Q_OBJECT
 public:
  PortTab(data::MessagePort& port, QWidget* parent);
  void btnReadClick();
  void btnWriteRegClick();

 private:
  data::MessagePort& port_;
  QLineEdit* EdtReadPort1;
  QLineEdit* EdtReadPort2;
  QLineEdit* EdtWritePort;
};

}  // namespace bm::app
