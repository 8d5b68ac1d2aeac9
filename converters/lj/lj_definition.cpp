#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "LJ";
  d.dm_class = "TDataLJ";
  d.dm_unit = "DMljTOqimstd";

  WindowDef& w = d.window;
  w.window_class = "TfrmLJ";
  w.unit = "ljTOqimstd";
  w.caption = "力嘉一键导入";
  w.source_default = "bookshop";
  w.target_default = "D:\\testdata\\rorudazez";
  w.note = window::kSourceNameNote;
  w.memo_name = "ReadMe";
  w.memo = window::restored_database_readme("力嘉");
  w.groups = window::catalogue_groups();
  w.enabled_boxes = {"cbxbas_bookinfo", "cbxbas_client", "cbxbas_provide"};
  w.buttons = window::importer_step_buttons();

  d.source = {"LJTOQIM", data::DriverKind::MSSQL, "bookshop"};
  d.target = {"QIMDLJ", data::DriverKind::INTRBASE, "D:\\testdata\\rorudazez"};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::RebuildFromField;
  d.source_queries = {"btQry_Temp_S"};
  d.target_queries = {"btQry_Temp_D", "btQryLJ"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
  window::message_step(d, "btnOP", "操作完成！");
  window::message_step(d, "btnTEST", window::kTestMessage);
}

}  // namespace

const ConverterDefinition& lj_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
