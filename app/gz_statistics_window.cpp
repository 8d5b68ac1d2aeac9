#include "app/gz_statistics_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/program.h"
#include "app/qt_text.h"
#include "converters/gz70/gz70_statistics.h"

namespace bm::app {

TgzToqimshowfrm::TgzToqimshowfrm(Program& program)
    : QWidget(nullptr, Qt::Window), program_(program), port_(this, program.injected_port) {
  setObjectName("gzToqimshowfrm");
  setProperty("className", "TgzToqimshowfrm");
  setWindowTitle("查看统计数据");
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* button = new QPushButton("查看统计数据", this);
  button->setObjectName("Button1");
  connect(button, &QPushButton::clicked, this, &TgzToqimshowfrm::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo_);
  layout->addWidget(button, 0, Qt::AlignHCenter);
  resize(480, 420);
}

void TgzToqimshowfrm::Button1Click() {
  data::MessagePort& port = port_.get();
  data::run_step(port, [&] {
    if (!program_.DataGZ) throw std::runtime_error("TDataGZ was not created");
    program_.DataGZ->port = &port;
    converters::gz70_statistics_report(*program_.DataGZ,
                                       [&](const std::string& line) { memo_->appendPlainText(qs(line)); });
  });
}

}  // namespace bm::app
