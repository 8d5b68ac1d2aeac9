#include "app/port_tab.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/rdp_port.h"
#include "app/registry_store.h"

namespace bm::app {

namespace {
const char* kExplanation[] = {
    "大客户版远程桌面端口操作修改键值为:",
    "   1.[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\Wds\\rdpwd\\Tds\\tcp]，看见PortNamber",
    "值了吗？其默认值是3389，修改成所希望的端口即可，例如6111。 　　",
    "   2.再打开[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentContro1Set\\Control\\Tenninal Server\\WinStations\\RDP-Tcp]，",
    "将PortNumber的值（默认是3389）修改成端口6111。",
};
}  // namespace

PortTab::PortTab(data::MessagePort& port, QWidget* parent) : QWidget(parent), port_(port) {
  setObjectName("TabSheet2");
  auto* root = new QVBoxLayout(this);
  QStringList lines;
  for (const char* line : kExplanation) lines << line;
  auto* label = new QLabel(lines.join('\n'), this);
  label->setObjectName("Label1");
  label->setStyleSheet("color: blue;");
  root->addWidget(label);

  auto* grid = new QGridLayout;
  root->addLayout(grid);
  grid->addWidget(new QLabel("读取端口号为", this), 0, 0);
  EdtReadPort1 = new QLineEdit(this);
  EdtReadPort1->setObjectName("EdtReadPort1");
  EdtReadPort1->setReadOnly(true);
  grid->addWidget(EdtReadPort1, 0, 1);
  EdtReadPort2 = new QLineEdit(this);
  EdtReadPort2->setObjectName("EdtReadPort2");
  EdtReadPort2->setReadOnly(true);
  grid->addWidget(EdtReadPort2, 0, 2);
  auto* read = new QPushButton("从注册表读取远程桌面端口号", this);
  read->setObjectName("btnRead");
  grid->addWidget(read, 0, 3);
  grid->addWidget(new QLabel("要写入的端口号为", this), 1, 0);
  EdtWritePort = new QLineEdit("3389", this);
  EdtWritePort->setObjectName("EdtWritePort");
  grid->addWidget(EdtWritePort, 1, 1);
  auto* write = new QPushButton("写入远程桌面端口号到注册表", this);
  write->setObjectName("btnWriteReg");
  grid->addWidget(write, 1, 3);
  root->addStretch();

  connect(read, &QPushButton::clicked, this, &PortTab::btnReadClick);
  connect(write, &QPushButton::clicked, this, &PortTab::btnWriteRegClick);
}

void PortTab::btnReadClick() {
  data::run_step(port_, [&] {
    auto registry = machine_registry();  // resolved on the press, never at start
    EdtReadPort1->setText(qs(read_port(*registry, kRdpKeyOne)));
    EdtReadPort2->setText(qs(read_port(*registry, kRdpKeyTwo)));
  });
}

void PortTab::btnWriteRegClick() {
  data::run_step(port_, [&] {
    auto registry = machine_registry();
    std::string typed = ss(EdtWritePort->text());
    write_port(*registry, kRdpKeyOne, typed);
    write_port(*registry, kRdpKeyTwo, typed);
    port_.info("写入成功！");
  });
}

}  // namespace bm::app
