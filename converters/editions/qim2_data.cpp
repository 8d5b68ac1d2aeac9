#include "converters/editions/qim2_data.h"

#include "converters/converter_dm.h"
#include "converters/editions/edition_order.h"
#include "converters/editions/qim2_field_lists.h"
#include "data/helpers.h"
#include "migrate/trigger_lists.h"

namespace bm::converters {

namespace {

using namespace qim2;

const char* const kTarget = "btQry_Temp_D";
const char* const kTriggers = "btQryQIM2";

// Step 2, always: the target's own classification rows and every customer (the retail customer
// '1' included: it comes back with the source's customers).
const std::vector<std::string> kClearAlways = {
    "DELETE FROM pub_dict where name='busi_class'",
    "DELETE FROM bas_client",
};

// Step 2 with cbxhaveValue ticked: the target's system tables make room for the source's.
const std::vector<std::string> kClearSystemTables = {
    "DELETE FROM bas_company",    "DELETE FROM bas_department",     "DELETE FROM bas_libinfo",
    "DELETE FROM sys_operator",   "DELETE FROM sys_operatordetail", "DELETE FROM inv_calmethod;",
    "DELETE FROM pub_dict",       "DELETE FROM pub_maxid",          "DELETE FROM pub_ordermaxid",
    "DELETE FROM sys_config",
};

// The temporary triggers step 2 creates, in this order: every header row inserted while they
// exist gets IS_RATE 0. Lines end in carriage return and line feed; ARP_RECE1 ends with one more.
std::vector<std::string> is_rate_trigger(const std::string& trigger, const std::string& table,
                                         bool trailing_line_break = false) {
  std::vector<std::string> lines = {"CREATE TRIGGER " + trigger + " FOR " + table + "\r",
                                    "ACTIVE BEFORE INSERT POSITION 0\r",
                                    "AS\r",
                                    "BEGIN\r",
                                    "    NEW.IS_RATE = 0;\r",
                                    "END"};
  if (trailing_line_break) {
    lines.back() += "\r";
    lines.push_back("");
  }
  return lines;
}

std::vector<CommandDef> temporary_triggers() {
  return {
      {"ARP_PAY_ALLOW", false, is_rate_trigger("ARP_PAY1", "ARP_PAY")},
      {"ARP_RECE_ALLOW", false, is_rate_trigger("ARP_RECE1", "ARP_RECE", true)},
      {"INV_CHECK_ALLOW", false, is_rate_trigger("INV_CHECK1", "INV_CHECK")},
      {"INV_EXCHMASTER_ALLOW", false, is_rate_trigger("INV_EXCHMASTER1", "INV_EXCHMASTER")},
      {"PUR_ORDERMASTER_ALLOW", false, is_rate_trigger("PUR_ORDERMASTER1", "PUR_ORDERMASTER")},
      {"SAL_HIREMASTER_ALLOW", false, is_rate_trigger("SAL_HIREMASTER1", "SAL_HIREMASTER")},
      {"SAL_ORDERMASTER_ALLOW", false, is_rate_trigger("SAL_ORDERMASTER1", "SAL_ORDERMASTER")},
  };
}

// Step 4: the temporary triggers dropped, every title open to member prices.
const std::vector<std::string> kCorrectValues = {
    "DROP TRIGGER ARP_PAY1",
    "DROP TRIGGER ARP_RECE1",
    "DROP TRIGGER INV_CHECK1",
    "DROP TRIGGER INV_EXCHMASTER1",
    "DROP TRIGGER PUR_ORDERMASTER1",
    "DROP TRIGGER SAL_HIREMASTER1",
    "DROP TRIGGER SAL_ORDERMASTER1",
    "UPDATE bas_bookinfo SET USEMEM_DISCOUNT=1",
    "UPDATE bas_bookinfo SET USEMEM_UPDISCOUNT=1",
    "UPDATE bas_bookinfo SET USEMEM_JIFEN=1",
};

// The generators that number the copied line and log keys in the standard edition, with the
// highest copied key. The big-customer edition numbers these rows with identity columns, so a
// freshly installed target's generators still stand at its own few rows: left there, the shop's
// next payment, receipt or stocktaking line or log entry would take a key a copied row holds.
struct GeneratorRepair {
  const char* query;      // reads the highest key as maxid
  const char* generator;
};
const std::vector<GeneratorRepair> kGenerators = {
    {"select max(IDENC) as maxid from ARP_RECEDETAIL", "RECEDETAILID"},
    {"select max(IDENC) as maxid from ARP_PAYDETAIL", "PAYDETAILID"},
    {"select max(IDENC) as maxid from INV_CHECKDETAIL", "CHECKDETAILID"},
    {"select max(LOG_ID) as maxid from SYS_LOGNEW", "GEN_SYSLOG"},
};

// Reads one value of a one-row query; empty when the query does not open or the value is NULL.
std::string read_value(data::Query& q, const std::string& sql, const std::string& field) {
  data::OpenQuiet(q, sql);
  std::string value = q.active() && !q.eof() ? q.field_text(field) : std::string();
  q.close();
  return value;
}

// A generator only moves forward: one already past the highest key keeps its value. An empty
// table, or one that cannot be read, leaves its generator alone.
void continue_generators(ConverterDM& dm) {
  data::Query& q = dm.query(kTarget);
  for (const auto& g : kGenerators) {
    std::string top = read_value(q, g.query, "maxid");
    if (top.empty()) continue;
    std::string now = read_value(q, std::string("select gen_id(") + g.generator + ", 0) as cur from rdb$database", "cur");
    if (!now.empty() && std::stoll(now) >= std::stoll(top)) continue;
    data::ExecShow(*dm.port, q, std::string("set GENERATOR ") + g.generator + " to " + top);
  }
}

// Step 2: the clearing, the system tables when cbxhaveValue is ticked, the temporary triggers.
void clear_target(ConverterDM& dm) {
  std::vector<Action> actions = statements(Helper::ExecShow, kTarget, kClearAlways);
  if (dm.window_boxes.count("cbxhaveValue")) {
    auto more = statements(Helper::ExecShow, kTarget, kClearSystemTables);
    actions.insert(actions.end(), more.begin(), more.end());
  }
  // Unguarded: a trigger left from an earlier step 2 ends the step at its CREATE TRIGGER.
  for (const auto& c : temporary_triggers()) actions.push_back(command(c.name));
  actions.push_back(message("目标库初始化完成！"));
  dm.run_actions(actions);
}

std::vector<JobDef> jobs() {
  auto list = same_name_lines;
  return {
      {1, "select * from BAS_BOOKINFO", "BAS_BOOKINFO", list(kBookFields), {}, {}},
      {2, "select * from BAS_CLIENT order by client_no", "BAS_CLIENT", list(kClientFields), {}, {}},
      {3, "select * from BAS_PROVIDE order by client_no", "BAS_PROVIDE", {}, {}, {}},
      {28, "select * from BAS_MEMBER order by member_id", "BAS_MEMBER", {}, {}, {}},
      {12, "select * from INV_LIBUP order by book_id", "INV_LIBUP", {}, {}, {}},
      {4, "select * from PUR_LOADMASTER order by order_no", "PUR_LOADMASTER", list(kLoadMasterFields), {}, {}},
      {8, "select * from SAL_SELLMASTER order by order_no", "SAL_SELLMASTER", list(kSellMasterFields), {}, {}},
      {5, "select * from PUR_LOADDETAIL order by order_no", "PUR_LOADDETAIL", {}, {}, {}},
      {9, "select * from SAL_SELLDETAIL order by order_no", "SAL_SELLDETAIL", {}, {}, {}},
      {6, "select * from pur_ordermaster", "PUR_ORDERMASTER", list(kOrderMasterFields), {}, {}},
      {7, "select * from pur_orderdetail", "PUR_ORDERDETAIL", list(kPurOrderLineFields), {}, {}},
      {10, "select * from sal_ordermaster", "SAL_ORDERMASTER", list(kOrderMasterFields), {}, {}},
      {11, "select * from sal_orderdetail", "SAL_ORDERDETAIL", list(kSalOrderLineFields), {}, {}},
      {13, "select * from inv_check", "INV_CHECK", list(kCheckFields), {}, {}},
      {14, "select * from inv_checkdetail", "INV_CHECKDETAIL", {}, {}, {}},
      {35, "select * from INV_CHECKDETAIL1", "INV_CHECKDETAIL1", list(kCheckLine1Fields), {}, {}},
      {15, "select * from arp_pay", "ARP_PAY", list(kBillFields), {}, {}},
      {16, "select * from arp_paydetail", "ARP_PAYDETAIL", {}, {}, {}},
      {17, "select * from arp_rece", "ARP_RECE", list(kBillFields), {}, {}},
      {18, "select * from arp_recedetail", "ARP_RECEDETAIL", {}, {}, {}},
      {31, "select * from inv_exchmaster", "INV_EXCHMASTER", list(kExchMasterFields), {}, {}},
      {32, "select * from inv_exchdetail", "INV_EXCHDETAIL", {}, {}, {}},
      {33, "select * from SAL_HIREMASTER", "SAL_HIREMASTER", {}, {}, {}},
      {34, "select * from OUT_SAL_HIREDETAIL", "SAL_HIREDETAIL", list(kHireLineFields), {}, {}},
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

// The converter copies of the standard edition's trigger lists, then the closing message.
std::vector<Action> trigger_list(const std::vector<std::string>& list, const std::string& done) {
  std::vector<Action> actions = statements(Helper::ExecShow, kTriggers, list);
  actions.push_back(message(done));
  return actions;
}

}  // namespace

void add_qim2_data(ConverterDefinition& d) {
  d.mode = data::BatchMode::Append;
  d.abort_switches = true;
  d.commands = temporary_triggers();
  d.jobs = jobs();
  d.execute_order = edition_execute_order();

  d.custom["QIM2_CLEAR_TARGET"] = clear_target;
  d.custom["QIM2_CONTINUE_GENERATORS"] = continue_generators;

  d.steps["btnTRClose"] = trigger_list(migrate::converter_trigger_switch_off_list(), "屏蔽触发器操作成功！");
  d.steps["btnDesDBInit"] = {custom("QIM2_CLEAR_TARGET")};
  std::vector<Action> end = statements(Helper::ExecShow, kTarget, kCorrectValues);
  end.push_back(custom("QIM2_CONTINUE_GENERATORS"));
  end.push_back(message("目标库更新值完成！"));
  d.steps["btnEnd"] = end;
  d.steps["btnTROpen"] = trigger_list(migrate::converter_trigger_restore_list(), "恢复触发器操作成功！");
}

}  // namespace bm::converters
