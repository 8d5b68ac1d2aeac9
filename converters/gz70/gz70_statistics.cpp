#include "converters/gz70/gz70_statistics.h"

#include "converters/converter_dm.h"
#include "data/helpers.h"

namespace bm::converters {

const char* const kStatisticsSeparator = "***********************************************************";

const std::vector<StatisticsRow>& gz70_statistics_rows() {
  static const std::vector<StatisticsRow> rows = {
      {"图书资料源数据库：", "select count(*) as ccount from bookinfo", "图书资料目标数据库：",
       "select count(*) as ccount from bas_bookinfo"},
      {"客户资料源数据库：", "select count(*) as ccount from buyer", "客户资料目标数据库：",
       "select count(*) as ccount from bas_client"},
      {"供应商资料源数据库：", "select count(*) as ccount from seller ", "供应商资料目标数据库：",
       "select count(*) as ccount from bas_provide"},
      {"会员资料源数据库：", "select count(*) as ccount from Member ", "会员资料目标数据库：",
       "select count(*) as ccount from BAS_MEMBER"},
      {"库存资料源数据库：", "select count(*) as ccount from bookinfo ", "库存资料目标数据库：",
       "select count(*) as ccount from INV_LIBUP"},
      {"统计分析源数据库：", "select count(*) as ccount from bookkind ", "统计分析目标数据库：",
       "select count(*) as ccount from pub_dict where [name]='BUSI_CLASS'"},
      {"进货主表源数据库：", "select count(*) as ccount from incase", "进货主表目标数据库：",
       "select count(*) as ccount from pur_loadmaster"},
      {"进货明细源数据库：", "select count(*) as ccount from inrecord", "进货明细目标数据库：",
       "select count(*) as ccount from pur_loaddetail"},
      {"销售主表源数据库：", "select count(*) as ccount from sellcase", "销售主表目标数据库：",
       "select count(*) as ccount from sal_sellmaster"},
      {"销售明细源数据库：", "select count(*) as ccount from sellrecord", "销售明细目标数据库：",
       "select count(*) as ccount from sal_selldetail"},
      {"收款主表源数据库：", "select count(*) as ccount from sellgetmoney", "收款主表目标数据库：",
       "select count(*) as ccount from ARP_RECE"},
      {"收款明细源数据库：", "select count(*) as ccount from sellcasepay", "收款明细目标数据库：",
       "select count(*) as ccount from ARP_RECEdetail"},
      {"付款主表源数据库：", "select count(*) as ccount from inpaymoney", "付款主表目标数据库：",
       "select count(*) as ccount from ARP_PAY"},
      {"付款明细源数据库：", "select count(*) as ccount from incasepay", "付款明细目标数据库：",
       "select count(*) as ccount from ARP_PAYDETAIL"},
  };
  return rows;
}

void gz70_statistics_report(ConverterDM& dm, const std::function<void(const std::string&)>& append) {
  data::Query& source = dm.query("btQry_Temp_S");
  data::Query& target = dm.query("btQry_Temp_D");
  for (const auto& row : gz70_statistics_rows()) {
    data::OpenShow(*dm.port, source, row.source_sql);
    append(row.source_label + source.field_text("ccount"));
    data::OpenShow(*dm.port, target, row.target_sql);
    append(row.target_label + target.field_text("ccount"));
    append(kStatisticsSeparator);
  }
}

}  // namespace bm::converters
