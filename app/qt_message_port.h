// The message port of a window: modal message boxes, and a progress dialog while a copy job runs.
#pragma once
#include <QPointer>
#include <memory>
#include <QProgressDialog>
#include <QWidget>

#include "data/message_port.h"

namespace bm::app {

class QtMessagePort : public data::MessagePort {
 public:
  explicit QtMessagePort(QWidget* window) : window_(window) {}
  ~QtMessagePort() override;

  void info(const std::string& text) override;         // application title, OK
  void data_error(const std::string& statement) override;  // empty title, OK
  void notice(const std::string& text) override;       // empty title, OK
  void error(const std::string& text) override;        // the standard error box
  void progress(const std::string& what, int64_t done, int64_t total) override;

 private:
  void end_progress();
  QWidget* window_;
  QPointer<QProgressDialog> progress_;
};

}  // namespace bm::app

namespace bm::app {

// The port a window reports through: the one the program was given (tests), else the window's
// own message boxes.
class WindowPort {
 public:
  WindowPort(QWidget* window, data::MessagePort* injected)
      : own_(injected ? nullptr : std::make_unique<QtMessagePort>(window)), port_(injected ? injected : own_.get()) {}
  data::MessagePort& get() { return *port_; }

 private:
  std::unique_ptr<QtMessagePort> own_;
  data::MessagePort* port_;
};

}  // namespace bm::app
