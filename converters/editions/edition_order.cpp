#include "converters/editions/edition_order.h"

namespace bm::converters {

std::vector<BoxJobs> edition_execute_order() {
  return {
      {"cbxbas_bookinfo", {{1, "图书资料ok"}}},
      {"cbxbas_client", {{2, "客户资料ok"}}},
      {"cbxbas_provide", {{3, "供应商资料ok"}}},
      {"cbxbas_member", {{28, "会员资料ok"}}},
      {"cbxInv_libup", {{12, "库存资料ok"}}},
      {"cbxpur_loadmaster", {{4, "进货主表资料ok"}}},
      {"cbxsal_sellmaster", {{8, "销售主表资料ok"}}},
      {"cbxpur_loaddetail", {{5, "进货明细表资料ok"}}},
      {"cbxsal_selldetail", {{9, "销售明细表资料ok"}}},
      {"cbxpur_ordermaster", {{6, "采购报订主表ok"}}},
      {"cbxpur_orderdetail", {{7, "采购报订明细ok"}}},
      {"cbxsal_ordermaster", {{10, "销售收订ok"}}},
      {"cbxsal_orderdetail", {{11, "销售收订明细ok"}}},
      {"cbxinv_check", {{13, "盘点主表ok"}}},
      {"cbxinv_checkdetail", {{14, "盘点单明细ok"}, {35, "盘点单新明细表ok"}}},
      {"cbxarp_pay", {{15, "付款主表ok"}}},
      {"cbxarp_paydetail", {{16, "付款明细表ok"}}},
      {"cbxarp_rece", {{17, "收款单主表ok"}}},
      {"cbxarp_recedetail", {{18, "收款明细表ok"}}},
      {"cbxinv_exchmaster", {{31, "调拨单主表ok"}}},
      {"cbxinv_exchdetail", {{32, "调拨单明细表ok"}}},
      {"cbxsal_hiremaster", {{33, "租书单主表ok"}}},
      {"cbxsal_hiredetail", {{34, "租书单明细表ok"}}},
      {"cbxsal_addmoney", {{29, "会员充值ok"}}},
      {"cbxsys_lognew", {{30, "系统日志ok"}}},
      {"cbxbas_department", {{19, "部门资料ok"}}},
      {"cbxbas_libinfo", {{20, "仓库资料ok"}}},
      {"cbxpub_dict", {{21, "统计分类资料ok"}}},
      {"cbxpub_maxid", {{22, "图书资料最大值ok"}}},
      {"cbxpub_ordermaxid", {{23, "单据最大值ok"}}},
      {"cbxsys_config", {{24, "系统配置信息ok"}}},
      {"cbxsys_operator", {{25, "操作员表ok"}}},
      {"cbxsys_operatordetail", {{26, "操作员明细表ok"}}},
      {"cbxbas_bookbip", {{36, "书目资料ok"}}},  // its box is disabled on the window
      {"cbxbas_company", {{37, "公司资料ok"}}},
      {"cbxbas_memberlevel", {{38, "会员级别表ok"}}},
      {"cbxbas_membersecede", {{39, "会员退会表ok"}}},
      {"cbxinv_calmethod", {{40, "系统计算表ok"}}},  // its box is disabled on the window
      {"cbxinv_iodetail", {{41, "备用库存表ok"}}},
  };
}

}  // namespace bm::converters
