#include "converters/editions/qim_data.h"
#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

// The target is prepared by hand: restored from the empty big-customer database, with the
// identity property of four tables switched off for the import and on again after it.
std::vector<std::string> qim_readme() {
  return {
      "导数据之前，需进行以下操作:",
      "    ",
      "一、在MS SQL 2000中新建数据库,将鹿屿空数据库",
      "(rorudazez_SQL)还原到新建的数据库中",
      "",
      "二、在还原的数据库",
      "中,将sys_lognew,arp_paydetail,arp_recedetail,inv_check",
      "detail表的LOG_ID等自增字段字",
      "段的标识改为\"否\"",
      "",
      "三、数据导完之后,再",
      "将sys_lognew,arp_paydetail,arp_recedetail,inv_checkdet",
      "ail表的LOG_ID等自增字段字段",
      "的标识改为\"是\"",
  };
}

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "QIM";
  d.dm_class = "TDataQIM";
  d.dm_unit = "DMqimstdTOqimsql";

  WindowDef& w = d.window;
  w.window_class = "TfrmQIM";
  w.unit = "qimstdTOqimsql";
  w.caption = "鹿屿标准版到大客户版一键导入";
  w.source_default = "D:\\testdata\\qimbook";
  w.target_default = "rorudazez";
  w.memo_name = "ReadMe";
  w.memo = qim_readme();
  w.groups = window::edition_groups();
  w.enabled_boxes = window::box_names(w.groups);
  w.buttons = window::edition_buttons();

  d.source = {"QIMTOQIM", data::DriverKind::INTRBASE, "D:\\testdata\\qimbook", true};
  d.target = {"QIMDQIM", data::DriverKind::MSSQL, "qimbookep"};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::RebuildFromField;
  d.target_queries = {"btQry_Temp_D", "btQryQIM"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
  window::message_step(d, "btnEnd", "不需要操作！");
}

}  // namespace

const ConverterDefinition& qim_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    add_qim_data(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
