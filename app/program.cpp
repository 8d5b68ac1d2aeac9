#include "app/program.h"

#include <stdexcept>

#include "app/converter_window.h"
#include "app/gz_statistics_window.h"
#include "app/main_window.h"
#include "app/program_tables.h"
#include "app/test_rules_window.h"

namespace bm::app {

Program::Program(data::MessagePort* port) : injected_port(port) {}

Program::~Program() {
  // Windows go before the data modules they work on; the main window last.
  windows_.clear();
  modules_.clear();
  bas_.reset();
}

void Program::start() {
  main_ = std::make_unique<TMainfrm>(*this);
  Mainfrm = main_.get();
  created.push_back("TMainfrm");
  create_hidden_objects();
}

void Program::create_hidden_objects(const std::string& fail_at) {
  try {
    for (const char* class_name : start_order()) {
      if (class_name == fail_at) throw std::runtime_error("cannot create " + fail_at);
      create(class_name);
    }
  } catch (const std::exception&) {
    // Whatever could not be created is simply missing; the program runs with the rest.
  }
}

void Program::create(const std::string& class_name) {
  if (class_name == "TBAS_DMFrm") {
    data::MessagePort& port = injected_port ? *injected_port
                              : Mainfrm      ? Mainfrm->port()
                                             : static_cast<data::MessagePort&>(fallback_port_);
    bas_ = std::make_unique<migrate::TBAS_DMFrm>(port);
    BAS_DMFrm = bas_.get();
  } else if (class_name == "TfrmTest") {
    auto w = std::make_unique<TfrmTest>();
    frmTest = w.get();
    windows_.push_back(std::move(w));
  } else if (class_name == "TgzToqimshowfrm") {
    auto w = std::make_unique<TgzToqimshowfrm>(*this);
    gzToqimshowfrm = w.get();
    windows_.push_back(std::move(w));
  } else if (const ConverterEntry* e = entry_by_dm_class(class_name)) {
    data::MessagePort& port = injected_port ? *injected_port : static_cast<data::MessagePort&>(fallback_port_);
    modules_.push_back(std::make_unique<converters::ConverterDM>(e->definition(), port));
    this->*(e->dm) = modules_.back().get();
  } else if (const ConverterEntry* e = entry_by_window_class(class_name)) {
    make_converter_window(*e);
  } else {
    throw std::logic_error("no such class " + class_name);
  }
  created.push_back(class_name);
}

migrate::TBAS_DMFrm& Program::bas_dm() {
  if (!BAS_DMFrm) throw std::runtime_error("TBAS_DMFrm was not created");
  return *BAS_DMFrm;
}

ConverterWindow* Program::make_converter_window(const ConverterEntry& entry) {
  auto w = std::make_unique<ConverterWindow>(*this, entry);
  ConverterWindow* raw = w.get();
  windows_.push_back(std::move(w));
  this->*(entry.window) = raw;
  return raw;
}

ConverterWindow* Program::open_converter_window(const std::string& window_class) {
  const ConverterEntry* e = entry_by_window_class(window_class);
  if (!e) throw std::logic_error("no converter window " + window_class);
  ConverterWindow* w = make_converter_window(*e);
  if (e->modal)
    exec_modal(*w);
  else
    w->show();
  return w;
}

void Program::open_test_rules(QWidget* parent) {
  TfrmTest window(parent);
  exec_modal(window);
}

TgzToqimshowfrm* Program::open_statistics_window() {
  auto w = std::make_unique<TgzToqimshowfrm>(*this);
  TgzToqimshowfrm* raw = w.get();
  windows_.push_back(std::move(w));
  gzToqimshowfrm = raw;
  raw->show();
  return raw;
}

}  // namespace bm::app
