#include "migrate/standard_copy_plan.h"

namespace bm::migrate {

const std::vector<CopyJobDef>& standard_copy_jobs() {
  static const std::vector<CopyJobDef> jobs = {
      {1, "select * from bas_bookinfo order by book_id", "BAS_BOOKINFO"},
      {2, "select * from bas_client order by client_no", "BAS_CLIENT"},
      {3, "select * from bas_provide order by client_no", "BAS_PROVIDE"},
      {4, "select * from pur_loadmaster order by order_date", "PUR_LOADMASTER"},
      {5, "select * from OUT_PUR_LOADDETAIL", "PUR_LOADDETAIL"},
      {6, "select * from pur_ordermaster", "PUR_ORDERMASTER"},
      {7, "select * from OUT_PUR_ORDERDETAIL", "PUR_ORDERDETAIL"},
      {8, "select * from sal_sellmaster order by order_no", "SAL_SELLMASTER"},
      {9, "select * from OUT_SAL_SELLDETAIL", "SAL_SELLDETAIL"},
      {10, "select * from sal_ordermaster", "SAL_ORDERMASTER"},
      {11, "select * from OUT_SAL_ORDERDETAIL", "SAL_ORDERDETAIL"},
      {12, "select * from inv_libup order by book_id", "INV_LIBUP"},
      {13, "select * from inv_check", "INV_CHECK"},
      {14, "select * from INV_CHECKDETAIL", "INV_CHECKDETAIL"},
      {15, "select * from arp_pay", "ARP_PAY"},
      {16, "select * from arp_paydetail", "ARP_PAYDETAIL"},
      {17, "select * from arp_rece", "ARP_RECE"},
      {18, "select * from arp_recedetail", "ARP_RECEDETAIL"},
      {19, "select * from BAS_DEPARTMENT", "BAS_DEPARTMENT"},
      {20, "select * from BAS_LIBINFO", "BAS_LIBINFO"},
      {21, "select * from PUB_DICT", "PUB_DICT"},
      {22, "select * from PUB_MAXID", "PUB_MAXID"},
      {23, "select * from PUB_ORDERMAXID", "PUB_ORDERMAXID"},
      {24, "select * from SYS_CONFIG", "SYS_CONFIG"},
      {25, "select * from SYS_OPERATOR", "SYS_OPERATOR"},
      {26, "select * from SYS_OPERATORDETAIL", "SYS_OPERATORDETAIL"},
      {28, "select * from bas_member", "BAS_MEMBER"},
      {29, "select * from sal_addmoney", "SAL_ADDMONEY"},
      {30, "select * from sys_lognew", "SYS_LOGNEW"},
      {31, "select * from inv_exchmaster", "INV_EXCHMASTER"},
      {32, "select * from OUT_INV_EXCHDETAIL", "INV_EXCHDETAIL"},
      {33, "select * from SAL_HIREMASTER", "SAL_HIREMASTER"},
      {34, "select * from OUT_SAL_HIREDETAIL", "SAL_HIREDETAIL"},
      {35, "select * from INV_CHECKDETAIL1", "INV_CHECKDETAIL1"},
  };
  return jobs;
}

const std::vector<JobMessage>& system_table_jobs() {
  static const std::vector<JobMessage> jobs = {
      {19, "部门资料ok"},   {20, "仓库资料ok"},     {21, "统计分类资料ok"}, {22, "图书资料最大值ok"},
      {23, "单据最大值ok"}, {24, "系统配置信息ok"}, {25, "操作员资料ok"},   {26, "操作员明细资料ok"},
  };
  return jobs;
}

const std::vector<TickedRow>& ticked_table_order() {
  static const std::vector<TickedRow> rows = {
      {"cbxbas_bookinfo", nullptr, {{1, "图书资料ok"}}},
      {"cbxbas_client", nullptr, {{2, "客户资料ok"}}},
      {"cbxbas_provide", nullptr, {{3, "供应商ok"}}},
      {"cbxpur_loadmaster", nullptr, {{4, "进退货主表ok"}}},
      {"cbxpur_loaddetail", nullptr, {{5, "进退货明细表ok"}}},
      {"cbxpur_ordermaster", nullptr, {{6, "采购报订主表ok"}}},
      {"cbxpur_orderdetail", nullptr, {{7, "采购报订明细ok"}}},
      {"cbxsal_sellmaster", nullptr, {{8, "销售主表ok"}}},
      {"cbxsal_selldetail", nullptr, {{9, "销售明细表ok"}}},
      {"cbxsal_ordermaster", nullptr, {{10, "销售收订ok"}}},
      {"cbxsal_orderdetail", nullptr, {{11, "销售收订明细ok"}}},
      {"cbxInv_libup", "delete from inv_libup", {{12, "所有库存ok"}}},
      {"cbxinv_check", nullptr, {{13, "盘点主表ok"}}},
      {"cbxinv_checkdetail", nullptr, {{14, "盘点单明细ok"}, {35, "盘点单新明细表ok"}}},
      {"cbxarp_pay", nullptr, {{15, "付款主表ok"}}},
      {"cbxarp_paydetail", nullptr, {{16, "付款明细表ok"}}},
      {"cbxarp_rece", nullptr, {{17, "收款单主表ok"}}},
      {"cbxarp_recedetail", nullptr, {{18, "收款明细表ok"}}},
      {"cbxinv_exchmaster", nullptr, {{31, "调拨单主表ok"}}},
      {"cbxinv_exchdetail", nullptr, {{32, "调拨单明细表ok"}}},
      {"cbxsal_hiremaster", nullptr, {{33, "租书单主表ok"}}},
      {"cbxsal_hiredetail", nullptr, {{34, "租书单明细表ok"}}},
      {"cbxbas_member", nullptr, {{28, "会员资料ok"}}},
      {"cbxsal_addmoney", nullptr, {{29, "会员充值ok"}}},
      {"cbxsys_lognew", nullptr, {{30, "系统日志ok"}}},
  };
  return rows;
}

const std::vector<CheckBoxGroup>& copy_tab_check_boxes() {
  static const std::vector<CheckBoxGroup> groups = {
      {"资料系统",
       {{"cbxbas_bookinfo", "图书资料"},
        {"cbxbas_client", "客户资料"},
        {"cbxbas_provide", "供应商资料"},
        {"cbxbas_member", "会员资料"},
        {"cbxsal_addmoney", "充值单"},
        {"cbxInv_libup", "所有库存"},
        {"cbxsys_lognew", "系统日志"}}},
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

const std::vector<std::string>& clear_target_statements() {
  static const std::vector<std::string> s = {
      "delete from bas_bookinfo", "delete from bas_department", "delete from bas_libinfo",
      "delete from bas_client",   "delete from pub_dict",       "delete from pub_maxid",
      "delete from pub_ordermaxid", "delete from sys_config",   "delete from sys_operator",
      "delete from sys_operatordetail",
  };
  return s;
}

const std::vector<std::vector<std::string>>& is_rate_trigger_texts() {
  static const std::vector<std::vector<std::string>> texts = [] {
    std::vector<std::vector<std::string>> out;
    for (const char* first : {"CREATE TRIGGER PUR_LOADMASTERRRATE FOR PUR_LOADMASTER ",
                              "CREATE TRIGGER SAL_SELLMASTERRATE FOR SAL_SELLMASTER ",
                              "CREATE TRIGGER ARP_RECERATE FOR ARP_RECE "})
      out.push_back({first, "ACTIVE BEFORE INSERT POSITION 0 ", "AS ", "BEGIN ", "new.IS_RATE = 0;", "END;"});
    return out;
  }();
  return texts;
}

const std::vector<GeneratorRepair>& generator_repairs() {
  static const std::vector<GeneratorRepair> r = {
      {"select max(IDENC) as maxid from ARP_RECEDETAIL", "maxid", "set GENERATOR RECEDETAILID to "},
      {"select min(IDENC) as minid from ARP_RECEDETAIL", "minid", "update ARP_RECEDETAIL set IDENC=1 where IDENC="},
      {"select max(IDENC) as maxid from ARP_PAYDETAIL", "maxid", "set GENERATOR PAYDETAILID to "},
      {"select max(IDENC) as maxid from INV_CHECKDETAIL", "maxid", "set GENERATOR CHECKDETAILID to "},
      {"select max(LOG_ID) as maxid from SYS_LOGNEW", "maxid", "set GENERATOR GEN_SYSLOG to "},
      {"select max(TABID) as maxid from SYS_TABLEDE", "maxid", "set GENERATOR GEN_SYSTABLEDE to "},
  };
  return r;
}

const std::vector<std::string>& test_rule_lines() {
  static const std::vector<std::string> lines = {
      "测试规范", "1.图书资料:测试图书,", "2.供应商资料001", "3.客户资料001",
      "4.进货单据:数量1000", "5.销售单据:数量100", "6.各单据10个，资料各3个", "7.跟踪库存是否准确",
  };
  return lines;
}

}  // namespace bm::migrate
