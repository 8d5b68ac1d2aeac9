#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "RC";
  d.dm_class = "TDataRuiChen";
  d.dm_unit = "DMruichen";

  WindowDef& w = d.window;
  w.window_class = "TfrmRcTOqimstd";
  w.unit = "RcTOqimstd";
  w.caption = "frmRcTOqimstd";
  w.source_default = "rc";
  w.target_default = "rorudazez";
  w.note = window::kSourceNameNote;
  w.memo_name = "ReadMe";
  w.memo = window::restored_database_readme("瑞晨");
  w.memo.push_back("");
  w.groups = window::catalogue_groups();
  window::add_boxes(w.groups, window::kLooseBoxes, {{"cbxISBN13", "去掉书号尾巴,只要", false}});
  w.labels = {"只要13位"};
  w.enabled_boxes = {"cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",    "cbxbas_member",    "cbxInv_libup",
                     "cbxpur_loadmaster", "cbxpur_loaddetail", "cbxsal_sellmaster", "cbxsal_selldetail"};
  w.buttons = window::importer_step_buttons();
  w.buttons.push_back(window::button("btnISBN13", "去掉书号尾巴"));

  d.source = {"RCTOQIM", data::DriverKind::MSSQL, "rc"};
  d.target = {"QIMDRC", data::DriverKind::MSSQL, "qimbookep"};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::Designed;
  d.source_queries = {"btQry_Temp_S"};
  d.target_queries = {"btQry_Temp_D", "btQryRC"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
  window::message_step(d, "btnTEST", window::kTestMessage);
}

}  // namespace

const ConverterDefinition& ruichen_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
