// What the program creates and opens, as data: the converters with their classes and the
// program-wide references that hold them, the order of the start sequence, the launcher buttons.
#pragma once
#include <string>
#include <vector>

#include "converters/definition.h"

namespace bm::app {

struct Program;
class ConverterWindow;

struct ConverterEntry {
  const converters::ConverterDefinition& (*definition)();
  const char* window_class;                   // e.g. "TfrmGZ"
  ConverterWindow* Program::*window;          // e.g. &Program::frmGZ
  const char* dm_class;                       // e.g. "TDataGZ"
  converters::ConverterDM* Program::*dm;      // e.g. &Program::DataGZ
  bool modal;                                 // opened modally from the main window
};
const std::vector<ConverterEntry>& converter_entries();
const ConverterEntry* entry_by_window_class(const std::string& window_class);
const ConverterEntry* entry_by_dm_class(const std::string& dm_class);

// The classes created hidden at start, in their order.
const std::vector<const char*>& start_order();

struct LauncherDef {
  const char* button;        // objectName
  const char* caption;
  const char* window_class;  // the converter window it opens
  bool full_width;           // below the first two rows the buttons take the whole width
};
const std::vector<LauncherDef>& launcher_buttons();

// The object name of a class: the class name without its leading "T" (TfrmGZ -> frmGZ).
std::string object_name(const std::string& class_name);

}  // namespace bm::app
