#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

// What the technician does by hand around step one: attach the GY database, restore an empty
// big-customer database, then widen the title and REC_NUM columns.
std::vector<std::string> gy_readme() {
  return {
      "导数据之前,需进行以下操作:",
      "",
      "一、在MS SQL 2000中,将公元源数",
      "据库(如:Aduse)附加到SQL数据库中,",
      "新建数据库(如:qimbook_gy),将鹿屿的",
      "空数据库(rorudazez_SQL)还原到新",
      "建的数据库中,用户选择sysdba",
      "",
      "二、执行\"第一步 源数据库和目标数",
      "据库初始化\"，执行成功后再进行以",
      "下说明中的三、四步",
      "",
      "三、手动修改公元源数据库以下表",
      "的\"书刊ID\"字段类型为\"int\":",
      "    BookInfor表、OrderDetailTemp表、",
      "OrderDetail表、Stocks_bak表",
      "",
      "四、手动修改鹿屿目标数据库",
      "PUR_LOADMASTER表",
      "的\"REC_NUM\"字段类型为\"int\"",
  };
}

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "GY";
  d.dm_class = "TDataGY";
  d.dm_unit = "DMgyTOqimsql";

  WindowDef& w = d.window;
  w.window_class = "TfrmGY";
  w.unit = "gyTOqimsql";
  w.caption = "公元一键导入";
  w.source_default = "Aduse";
  w.target_default = "qimbook";
  w.note = window::kDatabaseNameNote;
  w.memo_name = "ReadMe";
  w.memo = gy_readme();
  // This window shows 25 table boxes: the catalogue without the classification box.
  w.groups = window::catalogue_groups();
  window::remove_box(w.groups, "cbxpub_dict");
  w.enabled_boxes = {"cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",    "cbxInv_libup",
                     "cbxpur_loadmaster", "cbxpur_loaddetail", "cbxsal_sellmaster", "cbxsal_selldetail"};
  w.buttons = {
      window::connect_source_button(),
      window::connect_target_button(),
      window::button("btnStart", "第一步 源数据库和目标库初始化"),
      window::button("btnTR_Close", "第二步  屏蔽触发器"),
      window::button("btnBatchMove", "第三步 执行左边的选项表"),
      window::execute_button(),
      window::button("btnOP", "第四步 新建进货表丢失的触发器"),
      window::button("btnEnd", "第五步 目标库更新值操作"),
      window::button("btnTR_Open", "第六步 还原触发器"),
      window::button("btnTEST", "第七步 测试,测试规则"),
  };

  d.source = {"GYTOQIM", data::DriverKind::MSSQL, "Aduse"};
  d.target = {"QIMDGY", data::DriverKind::MSSQL, "qimbookep"};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::RebuildFromField;
  d.source_queries = {"btQry_Temp_S"};
  d.target_queries = {"btQry_Temp_D", "btQryGY"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
  window::message_step(d, "btnTEST", window::kTestMessage);
}

}  // namespace

const ConverterDefinition& gy_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
