#include "converters/editions/qim2_data.h"
#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "QIM2";
  d.dm_class = "TDataQIM2";
  d.dm_unit = "DMqimsqlTOqimstd";

  WindowDef& w = d.window;
  w.window_class = "TfrmQIM2";
  w.unit = "qimsqlTOqimstd";
  w.caption = "鹿屿大客户版到标准版一键导入";
  w.source_default = "rorudazez";
  w.target_default = "D:\\testdata\\rorudazez";
  w.memo_name = "ReadMe";
  w.groups = window::edition_groups();
  // Ticked, the clearing also empties the target's own system tables.
  window::add_boxes(w.groups, window::kLooseBoxes,
                    {{"cbxhaveValue", "如果大客户版数据库有统计分析数据或原来是正常使用的，请选择此项。"}});
  w.labels = {"请选择此项(就是说原单机版正常使用的，不是同行导入的)。"};
  w.enabled_boxes = window::box_names(w.groups);
  w.enabled_boxes.erase("cbxbas_bookbip");
  w.enabled_boxes.erase("cbxinv_calmethod");
  w.buttons = window::edition_buttons();

  d.source = {"QIMTOQIM2", data::DriverKind::MSSQL, "qimbook"};
  d.target = {"QIMDQIM2", data::DriverKind::INTRBASE, "D:\\testdata\\qimbook", true};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::RebuildFromField;
  d.target_queries = {"btQry_Temp_D", "btQryQIM2"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
}

}  // namespace

const ConverterDefinition& qim2_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    add_qim2_data(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
