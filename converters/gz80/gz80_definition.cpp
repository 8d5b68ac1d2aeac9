#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

std::vector<std::string> gz80_memo() {
  std::vector<std::string> m = {"第1步：",       "rorudazez以下几个表取消自增号(带有主键标",
                                "记的)",         "arp_recedetail",
                                "arp_paydetail", "inv_checkdetail1",
                                "sys_lognew",    "",
                                "",              "导完后执行以下语句"};
  const std::vector<std::string> statements = {
      "UPDATE pur_loaddetail SET seq_no = RIGHT(seq_no,4);",
      "UPDATE sal_selldetail SET seq_no = RIGHT(seq_no,4);",
      "UPDATE bas_bookinfo SET isbn = left(isbn,20);",
      "UPDATE bas_bookinfo SET book_name = left(book_name,100);",
      "update bas_bookinfo set store_no='N1';",
      "update bas_client set store_no='N1';",
      "update bas_provide set store_no='N1';",
      "update sal_sellmaster set store_no='N1';",
      "update pur_loadmaster set store_no='N1';",
      "update bas_bookinfo set allowuse=1",
      "update bas_client set allowuse=1",
      "update bas_member set allowuse=1",
      "update bas_provide set allowuse=1",
      "update pur_loadmaster set ctype='R' where money_s<0",
      "update sal_sellmaster set ctype='R' where money_s<0",
  };
  for (size_t i = 0; i < statements.size(); ++i) {
    if (i > 0) m.push_back("");
    m.push_back(statements[i]);
  }
  return m;
}

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "GZ80";
  d.dm_class = "TDataGZ80";
  d.dm_unit = "gz80";

  WindowDef& w = d.window;
  w.window_class = "TGZ8TOqimstd";
  w.unit = "GZ8TOqimstdfrm";
  w.caption = "广智80转鹿屿大客户版(qimbookep)";
  w.source_default = "book80";
  w.target_default = "rorudazez";
  w.note = window::kSourceNameNote;
  w.memo_name = "Memo1";
  w.memo = gz80_memo();
  w.groups = window::catalogue_groups();
  w.enabled_boxes = {"cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",    "cbxbas_member",
                     "cbxInv_libup",      "cbxpub_dict",       "cbxpur_loadmaster", "cbxpur_loaddetail",
                     "cbxsal_sellmaster", "cbxsal_selldetail"};
  w.disabled_groups = {"结算", "库存"};
  w.buttons = window::gz_step_buttons();
  w.modal = true;

  d.source = {"GZTOQIM80", data::DriverKind::MSSQL, "book80"};
  d.target = {"QIMDGZ80", data::DriverKind::MSSQL, "qimbookep"};
  d.source_connect = SourceConnect::RebuildFromField;
  d.target_connect = TargetConnect::Designed;
  d.source_queries = {"btQry_Temp_S"};
  d.target_queries = {"btQry_Temp_D", "btQryGZ"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
}

}  // namespace

const ConverterDefinition& gz80_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
