#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

// The restore, then what the technician prepares by hand in the YH copy.
std::vector<std::string> yh_readme() {
  std::vector<std::string> m = window::restored_database_readme("益华");
  m.insert(m.end(), {
                        "",
                        "",
                        "",
                        "数据库操作步骤",
                        "1.图书资料db_product增加自增字",
                        "段:book_id,ls_discount,busi_class,publish",
                        "(db_product_discount:图书资料折",
                        "扣，dz_type：统计分",
                        "类,dbo.db_publishs.pub_name:出版社名",
                        "称)",
                        "2.yw_jh_item进货明细增加视图",
                        "有book_id",
                        "3.db_ls_item零售明细表增加视图",
                        "有book_id,增加一个类型字段ctype='L'，",
                        "并赋值",
                        "4.yw_px_item批销明细表增加视图",
                        "有book_id",
                        "5.db_stocks_amount增加视图有book_id,",
                        "其是s_id对应store_no",
                        "",
                        "6.dz_type增加busi_class字段，并赋值为",
                        "BUSI_CLASS,UPDATE dz_type",
                        "SET busi_class = 'BUSI_CLASS'",
                    });
  return m;
}

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "YH";
  d.dm_class = "TDataYH";
  d.dm_unit = "DMyhTOqimstd";

  WindowDef& w = d.window;
  w.window_class = "TfrmYH";
  w.unit = "yhTOqimstd";
  w.caption = "益华一键导入";
  w.source_default = "yh";
  w.target_default = "rorudazez";
  w.note = window::kSourceNameNote;
  w.memo_name = "ReadMe";
  w.memo = yh_readme();
  w.groups = window::catalogue_groups();
  window::replace_box(w.groups, "cbxpub_dict", {"cbxbusi_class", "统计分类"});
  w.enabled_boxes = {"cbxbas_bookinfo",   "cbxbusi_class",     "cbxbas_client",     "cbxbas_provide",
                     "cbxbas_member",     "cbxInv_libup",      "cbxpur_loadmaster", "cbxpur_loaddetail",
                     "cbxsal_sellmaster", "cbxsal_selldetail"};
  w.buttons = window::importer_step_buttons();

  d.source = {"YHTOQIM", data::DriverKind::MSSQL, "yh"};
  d.target = {"QIMDYH", data::DriverKind::MSSQL, "qimbookep"};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::Designed;
  d.source_queries = {"btQry_Temp_S"};
  d.target_queries = {"btQry_Temp_D", "btQryYH"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
  window::message_step(d, "btnOP", "操作完成！");
  window::message_step(d, "btnTEST", window::kTestMessage);
}

}  // namespace

const ConverterDefinition& yh_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
