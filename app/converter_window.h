// The one converter window, built from a converter's window definition: source and target
// fields, the note and instruction memo, the check boxes in their groups and the step buttons.
// Every press runs on the converter's single data module, reached through its program-wide
// reference, so that all windows of one converter share it.
#pragma once
#include <QDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <set>
#include <string>

#include "app/qt_message_port.h"
#include "converters/definition.h"

namespace bm::app {

struct Program;
struct ConverterEntry;

class ConverterWindow : public QDialog {
  Q_OBJECT
 public:
  ConverterWindow(Program& program, const ConverterEntry& entry);

  const converters::ConverterDefinition& definition() const { return def_; }
  // The names of the ticked check boxes.
  std::set<std::string> ticked() const;
  // What a press of the named button does (connect, execute or a step), inside one guard.
  void press(const std::string& button);

 private:
  void build_fields(QGridLayout* grid);
  QWidget* build_boxes();
  void choose_file(QLineEdit* field);

  Program& program_;
  const ConverterEntry& entry_;
  const converters::ConverterDefinition& def_;
  WindowPort port_;
  QLineEdit* source_ = nullptr;
  QLineEdit* target_ = nullptr;
};

}  // namespace bm::app
