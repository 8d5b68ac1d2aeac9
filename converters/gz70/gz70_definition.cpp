#include "converters/gz70/gz70_data.h"
#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

// One of the four GZ70 id columns that must be cut to their last five digits before importing.
void cut_to_five(std::vector<std::string>& memo, const std::string& number, const std::string& table,
                 const std::string& column, const std::string& cut, const std::string& update1,
                 const std::string& update2) {
  memo.push_back(number + table + "表" + column + "字段:");
  memo.push_back("1.删除" + column + "的主键约束,将类型改为varchar");
  memo.push_back("2." + cut + ":");
  memo.push_back(update1);
  memo.push_back(update2);
  memo.push_back("3.将" + column + "的类型改回Int");
}

// The cursor script that numbers the lines of every document 1, 2, 3, ... on the target.
void renumber_script(std::vector<std::string>& memo, const std::string& cursor, const std::string& table) {
  const std::vector<std::string> lines = {
      "DECLARE @seq_no int;",
      "DECLARE @orderno nvarchar(50);",
      "DECLARE @order_no nvarchar(50);",
      "DECLARE @a int;",
      "select @a=1;",
      "select @orderno='1';",
      "DECLARE " + cursor + " CURSOR FOR",
      "SELECT seq_no,order_no FROM " + table + " ORDER BY order_no",
      "FOR UPDATE OF seq_no",
      "OPEN " + cursor,
      "FETCH NEXT FROM " + cursor + " INTO @seq_no,@order_no",
      "WHILE @@FETCH_STATUS = 0",
      "BEGIN",
      "  IF @order_no <> @orderno",
      "  BEGIN",
      "    select @orderno=@order_no;",
      "    select @a=1;",
      "  END",
      "  UPDATE " + table + " SET seq_no=@a WHERE CURRENT OF " + cursor + ";",
      "  select @a=@a+1;",
      "  FETCH NEXT FROM " + cursor + " INTO @seq_no,@order_no",
      "END",
      "CLOSE " + cursor,
      "DEALLOCATE " + cursor,
      "GO",
  };
  memo.insert(memo.end(), lines.begin(), lines.end());
}

std::vector<std::string> gz70_memo() {
  std::vector<std::string> m = {"导数据之前,需进行以下操作:"};
  cut_to_five(m, "一、", "inrecord", "inrecordid", "截取后五位", "UPDATE inrecord SET inrecordid = RIGHT",
              "(inrecordid,5);");
  cut_to_five(m, "二、", "sellrecord", "sellrecordid", "截取后五位", "UPDATE sellrecord SET sellrecordid = ",
              "RIGHT(sellrecordid,5);");
  cut_to_five(m, "三、", "sellgetmoney", "getmoneyid", "截取后5位", "UPDATE sellgetmoney SET getmoneyid = ",
              "RIGHT(getmoneyid,5);");
  cut_to_five(m, "四、", "inpaymoney", "paymoneyid", "截取后五位", "UPDATE inpaymoney SET paymoneyid = ",
              "RIGHT(paymoneyid,5);");
  m.push_back("");
  m.insert(m.end(), {"进货明细游标（如果没有索引需要建立索引,", "随便选择字段", "）："});
  renumber_script(m, "MYCURSOR1", "PUR_LOADDETAIL");
  m.push_back("");
  m.insert(m.end(), {"销售明细游标（如果没有索引需要建立索引", "，随便选择字段", "）："});
  renumber_script(m, "MYCURSOR", "SAL_SELLDETAIL");
  return m;
}

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "GZ";
  d.dm_class = "TDataGZ";
  d.dm_unit = "DMgzTOqimstd";

  WindowDef& w = d.window;
  w.window_class = "TfrmGZ";
  w.unit = "gzTOqimstd";
  w.caption = "广智一键导入";
  w.source_default = "book7";
  w.target_default = "rorudazez";
  w.note = window::kSourceNameNote;
  w.memo_name = "Memo1";
  w.memo = gz70_memo();
  w.groups = window::catalogue_groups();
  w.enabled_boxes = {"cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",    "cbxbas_member",
                     "cbxInv_libup",      "cbxpub_dict",       "cbxpur_loadmaster", "cbxpur_loaddetail",
                     "cbxsal_sellmaster", "cbxsal_selldetail", "cbxarp_pay",        "cbxarp_paydetail",
                     "cbxarp_rece",       "cbxarp_recedetail"};
  w.buttons = window::gz_step_buttons();
  w.buttons.push_back(window::hidden_disabled("btnGetSeq_no", "获取鹿屿大客户版进货批销明细序号"));

  d.source = {"GZTOQIM", data::DriverKind::MSSQL, "book7"};
  d.target = {"QIMDGZ", data::DriverKind::MSSQL, "qimbookep"};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::Designed;
  d.source_queries = {"btQry_Temp_S"};
  d.target_queries = {"btQry_Temp_D", "btQryGZ", "btQrygetNo1", "btQrygetNo2", "btQrygetNo3"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
}

}  // namespace

const ConverterDefinition& gz70_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    add_gz70_data(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
