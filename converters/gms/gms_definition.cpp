#include "converters/gms/gms_data.h"
#include "converters/registry.h"
#include "converters/window_common.h"

namespace bm::converters {

namespace {

// The technician's follow-up for member points after the import.
std::vector<std::string> gms_memo() {
  return {
      "导数据之后,需进行以下操作:",
      "",
      "一、将导好的bas_member表和sal_sellmaster",
      "表导入SQL(如果客户不需要销售数据的话，",
      "则直接将salebill表导入SQL)",
      "",
      "二、分组查询客户消费金额，将查询结果插",
      "入一张新表JIFEN:",
      "    select client_id,sum(money_s) as fen into ",
      "JIFEN from sal_sellmaster group by client_id;",
      "    或：",
      "    select client_no as client_id,sum(shsh_je) as ",
      "fen into JIFEN from salebill group by client_no;",
      "",
      "三、建会员资料视图(含会员积分):",
      "    CREATE VIEW dbo.VIEW_member_jifen",
      "    AS",
      "    SELECT ",
      "dbo.BAS_MEMBER.*,dbo.JIFEN.fen ",
      "      FROM dbo.BAS_MEMBER INNER JOIN ",
      "dbo.JIFEN ",
      "        ON dbo.BAS_MEMBER.MEMBER_ID = ",
      "dbo.JIFEN.client_id",
      "",
      "四、更新会员资料表积分和会员编号:",
      "    update VIEW_member_jifen set money1 = ",
      "fen;",
      "    update bas_member set member_id = ",
      "cardnumber;",
      "",
      "五、清空原会员资料表bas_member，重新导",
      "入会员资料",
  };
}

// The window, the connections and the work queries; steps that need no database.
void fill_window(ConverterDefinition& d) {
  d.code = "GMS";
  d.dm_class = "TDataGMS";
  d.dm_unit = "DMgmsTOqimstd";

  WindowDef& w = d.window;
  w.window_class = "TfrmGMS";
  w.unit = "gmsTOqimstd";
  w.caption = "格敏思一键导入";
  w.source_default = "D:\\testdata\\greens.gdb";
  w.source_enabled = false;  // with its open-file button: the GMS file is fixed
  w.target_default = "D:\\testdata\\rorudazez";
  w.memo_name = "Memo1";
  w.memo = gms_memo();
  w.groups = window::catalogue_groups();
  w.enabled_boxes = {"cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",    "cbxbas_member",
                     "cbxInv_libup",      "cbxpur_loadmaster", "cbxpur_loaddetail", "cbxsal_sellmaster",
                     "cbxsal_selldetail", "cbxarp_pay",        "cbxarp_paydetail",  "cbxarp_rece",
                     "cbxarp_recedetail"};
  w.buttons = window::importer_step_buttons();

  d.source = {"GMSTOQIM", data::DriverKind::INTRBASE, "D:\\testdata\\greens.gdb"};
  d.target = {"QIMDGMS", data::DriverKind::INTRBASE, "D:\\testdata\\rorudazez"};
  d.source_connect = SourceConnect::DesignedOnly;
  d.target_connect = TargetConnect::RebuildFromField;
  d.source_queries = {"btQry_Temp_S"};
  d.target_queries = {"btQry_Temp_D", "btQryGMS"};

  window::message_step(d, "btnBatchMove", window::kTickReminder);
  window::message_step(d, "btnOP", "不需要操作！");
  window::message_step(d, "btnTEST", window::kTestMessage);
}

}  // namespace

const ConverterDefinition& gms_definition() {
  static const ConverterDefinition def = [] {
    ConverterDefinition d;
    fill_window(d);
    add_gms_data(d);
    return d;
  }();
  return def;
}

}  // namespace bm::converters
