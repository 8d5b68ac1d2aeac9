#include "converters/qc/qc_data.h"
#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

std::vector<std::string> qc_readme() {
  std::vector<std::string> m = window::restored_database_readme("晴川");
  m.insert(m.end(), {"晴川导入问题", "", "1、图书资料无零售折扣(ok)", "2、库存码洋实样为负数(定价666222的不对)",
                     "3、没有进货退货单(OK)(有两批的，没定价)", "4、没有批销退货单(OK)", "5、零售单的金额依旧为零(OK)",
                     "6.供应商等没名称(OK)", "7.折扣除以100", "", "(sh_balance)"});
  return m;
}

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "QC";
  d.dm_class = "TDataQC";
  d.dm_unit = "DMqcTOqimstd";

  WindowDef& w = d.window;
  w.window_class = "TfrmQC";
  w.unit = "qcTOqimstd";
  w.caption = "晴川一键导入到大客户版";
  w.source_default = "qc";
  w.target_default = "rorudazez";
  w.note = window::kSourceNameNote;
  w.memo_name = "ReadMe";
  w.memo = qc_readme();
  w.groups = window::catalogue_groups();
  window::add_boxes(w.groups, window::kLooseBoxes, {{"cbxISBN13", "去掉书号尾巴,只要", false}});
  w.labels = {"只要13位"};
  w.enabled_boxes = {"cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",    "cbxbas_member",    "cbxInv_libup",
                     "cbxpur_loadmaster", "cbxpur_loaddetail", "cbxsal_sellmaster", "cbxsal_selldetail"};
  w.buttons = window::importer_step_buttons();
  w.buttons.push_back(window::button("btnISBN13", "去掉书号尾巴"));

  d.source = {"QCTOQIM", data::DriverKind::MSSQL, "qc_20120522"};
  d.target = {"QIMDQC", data::DriverKind::MSSQL, "qimbookep"};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::Designed;
  d.source_queries = {"btQry_Temp_S"};
  d.target_queries = {"btQry_Temp_D", "btQryQC"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
  window::message_step(d, "btnTEST", window::kTestMessage);
}

}  // namespace

const ConverterDefinition& qc_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    add_qc_data(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
