#include "converters/definition.h"

namespace bm::converters {

namespace {
Action statement_action(Helper h, const std::string& query, const std::string& text) {
  Action a;
  a.kind = Action::Kind::Statement;
  a.helper = h;
  a.target = query;
  a.text = text;
  return a;
}
}  // namespace

Action exec_show(const std::string& q, const std::string& s) { return statement_action(Helper::ExecShow, q, s); }
Action exec_quiet(const std::string& q, const std::string& s) { return statement_action(Helper::ExecQuiet, q, s); }
Action open_quiet(const std::string& q, const std::string& s) { return statement_action(Helper::OpenQuiet, q, s); }
Action open_show(const std::string& q, const std::string& s) { return statement_action(Helper::OpenShow, q, s); }

Action command(const std::string& name) {
  Action a;
  a.kind = Action::Kind::Command;
  a.target = name;
  return a;
}
Action guarded_command(const std::string& name) {
  Action a;
  a.kind = Action::Kind::GuardedCommand;
  a.target = name;
  return a;
}
Action message(const std::string& text) {
  Action a;
  a.kind = Action::Kind::Message;
  a.text = text;
  return a;
}
Action custom(const std::string& name) {
  Action a;
  a.kind = Action::Kind::Custom;
  a.target = name;
  return a;
}

std::vector<Action> statements(Helper helper, const std::string& query, const std::vector<std::string>& list) {
  std::vector<Action> out;
  for (const auto& s : list) out.push_back(statement_action(helper, query, s));
  return out;
}

const std::vector<CheckBoxGroupDef>& check_box_catalogue() {
  static const std::vector<CheckBoxGroupDef> groups = {
      {"资料系统",
       {{"cbxbas_bookinfo", "图书资料"},
        {"cbxbas_client", "客户资料"},
        {"cbxbas_provide", "供应商资料"},
        {"cbxbas_member", "会员资料"},
        {"cbxsal_addmoney", "充值单"},
        {"cbxInv_libup", "所有库存"},
        {"cbxsys_lognew", "系统日志"},
        {"cbxpub_dict", "统计分类"}}},
      {"采购",
       {{"cbxpur_loadmaster", "进货进退主表"},
        {"cbxpur_loaddetail", "进货进退明细"},
        {"cbxpur_ordermaster", "报订单主表"},
        {"cbxpur_orderdetail", "报订单明细"}}},
      {"销售",
       {{"cbxsal_sellmaster", "销售销退主表"},
        {"cbxsal_selldetail", "销售销退明细"},
        {"cbxsal_ordermaster", "收订单主表"},
        {"cbxsal_orderdetail", "收订单明细"}}},
      {"结算",
       {{"cbxarp_pay", "付款单主表"},
        {"cbxarp_paydetail", "付款单明细"},
        {"cbxarp_rece", "收款单主表"},
        {"cbxarp_recedetail", "收款单明细"}}},
      {"库存",
       {{"cbxinv_check", "盘点单主表"},
        {"cbxinv_checkdetail", "盘点单明细"},
        {"cbxinv_exchmaster", "调拨单主表"},
        {"cbxinv_exchdetail", "调拨单明细"},
        {"cbxsal_hiremaster", "租书还书主表"},
        {"cbxsal_hiredetail", "租书还书明细"}}},
  };
  return groups;
}

const ConverterDefinition* find_converter(const std::string& code) {
  for (const auto* c : all_converters())
    if (c->code == code) return c;
  return nullptr;
}

}  // namespace bm::converters
