#include "converters/editions/qim_data.h"

#include "converters/converter_dm.h"
#include "converters/editions/edition_order.h"

namespace bm::converters {

namespace {

// Every statement of this converter runs on the target through this query.
const char* const kTarget = "btQry_Temp_D";

// Step 2: the target emptied table by table; INV_CHECKDETAIL1 is not in the list. The customer
// table loses its retail customer '1' too: it comes back with the source's customers.
const std::vector<std::string> kClearTarget = {
    "DELETE FROM bas_bookinfo",
    "DELETE FROM bas_client",
    "DELETE FROM bas_provide",
    "DELETE FROM bas_member",
    "DELETE FROM bas_memberlevel",
    "DELETE FROM bas_membersecede",
    "DELETE FROM sal_addmoney",
    "DELETE FROM inv_libup",
    "DELETE FROM sys_lognew;",
    "DELETE FROM bas_bookbip",
    "DELETE FROM bas_company",
    "DELETE FROM bas_department",
    "DELETE FROM bas_libinfo",
    "delete from pub_dict",
    "delete from pub_maxid",
    "delete from pub_ordermaxid",
    "delete from sys_config",
    "DELETE FROM sys_operator",
    "DELETE FROM sys_operatordetail",
    "DELETE FROM inv_calmethod;",
    "DELETE FROM pur_loadmaster",
    "DELETE FROM pur_loaddetail",
    "DELETE FROM pur_ordermaster",
    "DELETE FROM pur_orderdetail",
    "DELETE FROM sal_sellmaster",
    "DELETE FROM sal_selldetail",
    "DELETE FROM sal_ordermaster",
    "DELETE FROM sal_orderdetail",
    "DELETE FROM arp_pay",
    "DELETE FROM arp_paydetail",
    "DELETE FROM arp_rece",
    "DELETE FROM arp_recedetail",
    "DELETE FROM inv_check",
    "DELETE FROM inv_checkdetail",
    "DELETE FROM inv_exchmaster",
    "DELETE FROM inv_exchdetail",
    "DELETE FROM sal_hiremaster",
    "DELETE FROM sal_hiredetail",
    "DELETE FROM inv_iodetail",
};

// Both editions hold the same tables with the same columns in the same order, so no job has a
// mapping list: columns pair by position. The line tables are read through the standard
// edition's OUT_ views, which leave out their computed amounts.
std::vector<JobDef> jobs() {
  return {
      {1, "select * from BAS_BOOKINFO", "BAS_BOOKINFO", {}, {}, {}},
      {2, "select * from BAS_CLIENT order by client_no", "BAS_CLIENT", {}, {}, {}},
      {3, "select * from BAS_PROVIDE order by client_no", "BAS_PROVIDE", {}, {}, {}},
      {28, "select * from BAS_MEMBER order by member_id", "BAS_MEMBER", {}, {}, {}},
      {12, "select * from INV_LIBUP order by book_id", "INV_LIBUP", {}, {}, {}},
      {4, "select * from PUR_LOADMASTER order by order_no", "PUR_LOADMASTER", {}, {}, {}},
      {8, "select * from SAL_SELLMASTER order by order_no", "SAL_SELLMASTER", {}, {}, {}},
      {5, "select * from OUT_PUR_LOADDETAIL order by order_no", "PUR_LOADDETAIL", {}, {}, {}},
      {9, "select * from OUT_SAL_SELLDETAIL order by order_no", "SAL_SELLDETAIL", {}, {}, {}},
      {6, "select * from pur_ordermaster", "PUR_ORDERMASTER", {}, {}, {}},
      {7, "select * from OUT_pur_orderdetail", "PUR_ORDERDETAIL", {}, {}, {}},
      {10, "select * from sal_ordermaster", "SAL_ORDERMASTER", {}, {}, {}},
      {11, "select * from OUT_sal_orderdetail", "SAL_ORDERDETAIL", {}, {}, {}},
      {13, "select * from inv_check", "INV_CHECK", {}, {}, {}},
      {14, "select * from inv_checkdetail", "INV_CHECKDETAIL", {}, {}, {}},
      {35, "select * from INV_CHECKDETAIL1", "INV_CHECKDETAIL1", {}, {}, {}},
      {15, "select * from arp_pay", "ARP_PAY", {}, {}, {}},
      {16, "select * from arp_paydetail", "ARP_PAYDETAIL", {}, {}, {}},
      {17, "select * from arp_rece", "ARP_RECE", {}, {}, {}},
      {18, "select * from arp_recedetail", "ARP_RECEDETAIL", {}, {}, {}},
      {31, "select * from inv_exchmaster", "INV_EXCHMASTER", {}, {}, {}},
      {32, "select * from OUT_inv_exchdetail", "INV_EXCHDETAIL", {}, {}, {}},
      {33, "select * from SAL_HIREMASTER", "SAL_HIREMASTER", {}, {}, {}},
      {34, "select * from OUT_SAL_HIREDETAIL", "SAL_HIREDETAIL", {}, {}, {}},
      {29, "select * from sal_addmoney", "SAL_ADDMONEY", {}, {}, {}},
      {30, "select * from sys_lognew", "SYS_LOGNEW", {}, {}, {}},
      {19, "select * from BAS_DEPARTMENT", "BAS_DEPARTMENT", {}, {}, {}},
      {20, "select * from BAS_LIBINFO", "BAS_LIBINFO", {}, {}, {}},
      {21, "select * from PUB_DICT", "PUB_DICT", {}, {}, {}},
      {22, "select * from PUB_MAXID", "PUB_MAXID", {}, {}, {}},
      {23, "select * from PUB_ORDERMAXID", "PUB_ORDERMAXID", {}, {}, {}},
      {24, "select * from SYS_CONFIG", "SYS_CONFIG", {}, {}, {}},
      {25, "select * from SYS_OPERATOR", "SYS_OPERATOR", {}, {}, {}},
      {26, "select * from SYS_OPERATORDETAIL", "SYS_OPERATORDETAIL", {}, {}, {}},
      {36, "select * from bas_bookbip", "BAS_BOOKBIP", {}, {}, {}},
      {37, "select * from bas_company", "BAS_COMPANY", {}, {}, {}},
      {38, "select * from bas_memberlevel", "BAS_MEMBERLEVEL", {}, {}, {}},
      {39, "select * from bas_membersecede", "BAS_MEMBERSECEDE", {}, {}, {}},
      {40, "select * from inv_calmethod", "INV_CALMETHOD", {}, {}, {}},
      {41, "select * from OUT_inv_iodetail", "INV_IODETAIL", {}, {}, {}},
  };
}

// The target's stored procedure that switches all its triggers off or on. A procedure that does
// not run (missing, target unreachable) ends the step with the database's error: with the
// triggers still on, the copy would let them recount the stock it brings along, so the step must
// not report "操作已成功".
void call_trigger_procedure(ConverterDM& dm, const std::string& statement) {
  data::Query& q = dm.query(kTarget);
  q.close();
  q.set_sql(statement);
  q.exec_sql();
}

}  // namespace

void add_qim_data(ConverterDefinition& d) {
  d.mode = data::BatchMode::Append;
  d.abort_switches = true;
  d.jobs = jobs();
  d.execute_order = edition_execute_order();

  d.custom["QIM_DIS_TR"] = [](ConverterDM& dm) { call_trigger_procedure(dm, "exec dis_tr"); };
  d.custom["QIM_EN_TR"] = [](ConverterDM& dm) { call_trigger_procedure(dm, "exec en_tr"); };

  d.steps["btnTRClose"] = {custom("QIM_DIS_TR"), message("操作已成功")};
  std::vector<Action> init = statements(Helper::ExecShow, kTarget, kClearTarget);
  init.push_back(message("目标库初始化完成！"));
  init.push_back(exec_quiet(kTarget, "exec dis_tr"));
  d.steps["btnDesDBInit"] = init;
  d.steps["btnTROpen"] = {custom("QIM_EN_TR"), message("操作已成功")};
}

}  // namespace bm::converters
