#include "converters/gz70/gz70_data.h"

#include "converters/gz70/gz70_counters.h"
#include "converters/gz70/gz70_seq_no.h"

namespace bm::converters {

namespace {

const char* const kSource = "btQry_Temp_S";
const char* const kTarget = "btQry_Temp_D";
const char* const kTriggers = "btQryGZ";

const char* const kRepairCounters = "gz70_repair_counters";
const char* const kRenumberLines = "gz70_renumber_purchase_lines";

// Step 1, first half: the classification name, partner numbers, flags and store on the GZ70
// tables, and numbers for the payment rows.
const std::vector<std::string> kPrepareSource = {
    "ALTER TABLE bookkind ADD name VARCHAR(10) DEFAULT('BUSI_CLASS') NOT NULL",
    "UPDATE buyer SET show = 1",
    "ALTER TABLE buyer ADD buyid INT IDENTITY(1,1) NOT NULL",
    "ALTER TABLE buyer ADD allowuse int ",
    "ALTER TABLE buyer ADD STORE_NO VARCHAR(20)",
    "UPDATE seller SET show = 1",
    "ALTER TABLE seller ADD sellid INT IDENTITY(1,1) NOT NULL",
    "ALTER TABLE seller ADD allowuse int ",
    "ALTER TABLE seller ADD STORE_NO VARCHAR(20)",
    "ALTER TABLE bookinfo ADD allowuse int",
    "ALTER TABLE bookinfo ADD STORE_NO VARCHAR(20)",
    "ALTER TABLE member ADD allowuse int",
    "ALTER TABLE member ADD STORE_NO VARCHAR(20)",
    "ALTER TABLE incase ADD STORE_NO VARCHAR(20)",
    "ALTER TABLE sellcase ADD STORE_NO VARCHAR(20)",
    "ALTER TABLE sellcasepay ADD idenc INT IDENTITY(1,1) NOT NULL",
    "ALTER TABLE incasepay ADD idenc INT IDENTITY(1,1) NOT NULL",
    "UPDATE buyer SET allowuse = 1",
    "UPDATE buyer SET STORE_NO = 'N1'",
    "UPDATE seller SET allowuse = 1",
    "UPDATE seller SET STORE_NO = 'N1'",
    "UPDATE bookinfo SET allowuse = 1",
    "UPDATE bookinfo SET STORE_NO = 'N1'",
    "UPDATE member SET allowuse = 1",
    "UPDATE member SET STORE_NO = 'N1'",
    "UPDATE incase SET STORE_NO = 'N1'",
    "UPDATE sellcase SET STORE_NO = 'N1'",
};

// The views the header and settlement jobs read, in the order step 1 creates them. Headers are
// joined to their partner and to their payment sums with outer joins: a receipt or sale without
// any payment row comes over with nothing paid, and a document whose partner name matches no
// customer or supplier comes over without a partner. With inner joins such headers vanished
// while their lines were still copied.
const std::vector<CommandDef> kViews = {
    {"GZ_PUR_LOADMASTER",
     true,
     {"CREATE VIEW dbo.view_incase_seller", "AS",
      "SELECT dbo.incase.*, dbo.seller.sellid, dbo.seller.sellerpeople, dbo.seller.sellertel",
      "FROM dbo.incase LEFT OUTER JOIN", "dbo.seller ON dbo.incase.sellername = dbo.seller.sellername"}},
    {"GZ_SAL_SELLMASTER",
     true,
     {"CREATE VIEW dbo.view_sellcase_buyer", "AS", "SELECT dbo.sellcase.*, dbo.buyer.buyid, dbo.buyer.DEFAULTdiscount",
      "FROM dbo.sellcase LEFT OUTER JOIN", "dbo.buyer ON dbo.sellcase.buyername = dbo.buyer.buyername"}},
    {"GZ_ARP_RECE",
     true,
     {"CREATE VIEW dbo.VW_recemaster", "AS", "SELECT dbo.sellgetmoney.*, dbo.buyer.buyid",
      "FROM dbo.sellgetmoney LEFT OUTER JOIN", "dbo.buyer ON dbo.sellgetmoney.buyername = dbo.buyer.buyername"}},
    {"GZ_ARP_PAY",
     true,
     {"CREATE VIEW dbo.vw_paymaster", "AS", "SELECT dbo.inpaymoney.*, dbo.seller.sellid",
      "FROM dbo.inpaymoney LEFT OUTER JOIN", "dbo.seller ON dbo.inpaymoney.sellername = dbo.seller.sellername"}},
    {"GZ_SAL_SELLMASTER1",
     true,
     {"CREATE VIEW dbo.vw_sal_rece1", "AS", "SELECT SUM(sellpaymoney) AS sellpaymoney, sellcaseid",
      "FROM dbo.sellcasepay", "GROUP BY sellcaseid"}},
    {"GZ_SAL_SELLMASTER2",
     true,
     {"CREATE VIEW dbo.vw_sal_rece2", "AS", "SELECT a.*, ISNULL(b.sellpaymoney, 0) AS sellpaymoney",
      "FROM dbo.view_sellcase_buyer a LEFT OUTER JOIN", "dbo.vw_sal_rece1 b ON a.sellcaseid = b.sellcaseid"}},
    {"GZ_PUR_LOADMASTER1",
     true,
     {"CREATE VIEW dbo.vw_pur_pay1", "AS", "SELECT SUM(incasepaymoney) AS incasepaymoney, incaseid",
      "FROM dbo.incasepay", "GROUP BY incaseid"}},
    {"GZ_PUR_LOADMASTER2",
     true,
     {"CREATE VIEW dbo.vw_pur_pay2", "AS", "SELECT a.*, ISNULL(b.incasepaymoney, 0) AS incasepaymoney",
      "FROM dbo.view_incase_seller a LEFT OUTER JOIN", "dbo.vw_pur_pay1 b ON a.incaseid = b.incaseid"}},
};

// Step 1, second half.
const std::vector<std::string> kClearTarget = {
    "DELETE FROM bas_bookinfo",   "DELETE FROM bas_client",     "DELETE FROM bas_provide",
    "DELETE FROM bas_member",     "DELETE FROM inv_libup",      "DELETE FROM pur_loadmaster",
    "DELETE FROM pur_loaddetail", "DELETE FROM sal_sellmaster", "DELETE FROM sal_selldetail",
    "DELETE FROM pub_dict where name='busi_class'",
};

// Step 4: store 'N1', document types by the sign of the amount, stock discounts cut to two
// decimals, percentages to fractions, the line numbers kept in fint4.
const std::vector<std::string> kFixValues = {
    "UPDATE bas_client SET store_no='N1'",
    "UPDATE bas_provide SET store_no='N1'",
    "UPDATE inv_libup SET store_no='N1'",
    "UPDATE pur_loadmaster SET store_no='N1'",
    "UPDATE sal_sellmaster SET store_no='N1'",
    "UPDATE bas_client SET store_no1='0'",
    "UPDATE bas_provide SET store_no1='0'",
    "UPDATE pur_loadmaster SET store_no1='0'",
    "UPDATE sal_sellmaster SET store_no1='0'",
    "UPDATE pur_loadmaster SET money_m=0 WHERE money_m IS NULL",
    "UPDATE pur_loadmaster SET ctype='L' WHERE money_m>=0",
    "UPDATE pur_loadmaster SET ctype='R' WHERE money_m<0",
    "UPDATE sal_sellmaster SET money_m=0 WHERE money_m IS NULL",
    "UPDATE sal_sellmaster SET ctype='L' WHERE money_m>=0",
    "UPDATE sal_sellmaster SET ctype='R' WHERE money_m<0",
    "UPDATE inv_libup SET discount=FLOOR((discount+0.001)*100)",
    "UPDATE inv_libup SET discount=discount/100",
    "UPDATE bas_bookinfo SET isbn_class='不区分' where isbn_class is null",
    "UPDATE bas_bookinfo SET in_price=in_price/100 where in_price>1",
    "UPDATE bas_bookinfo SET sell_discount=sell_discount/100 where sell_discount>1",
    "UPDATE bas_bookinfo SET sell_price=sell_price/100 where sell_price>1",
    "UPDATE bas_bookinfo SET retail_price=retail_price/100 where retail_price>1",
    "UPDATE bas_bookinfo SET isbn=self_no where isbn is null",
    "UPDATE inv_libup SET discount=discount/100 where discount>1",
    "UPDATE sal_selldetail SET discount=discount/100 where discount>1",
    "UPDATE pur_loaddetail SET discount=discount/100 where discount>1",
    "UPDATE inv_libup SET discount=round(discount,2)",
    "UPDATE sal_selldetail SET discount=round(discount,2)",
    "UPDATE pur_loaddetail SET discount=round(discount,2)",
    "UPDATE sal_selldetail SET fint4=seq_no",
    "UPDATE pur_loaddetail SET fint4=seq_no",
};

std::vector<JobDef> jobs() {
  return {
      {1, "select * from bookinfo order by bookid", "BAS_BOOKINFO",
       {"BOOK_ID=bookid", "ISBN=isbn", "SELF_NO=selfid", "BOOK_NAME=bookname", "PUBLISH=pubname",
        "PRICE=bookprice", "AUTHOR=writer", "REMARK=hopemonthsell", "STORE_NO=store_no", "IN_PRICE=lastindiscount",
        "FST_LIB=totalstorage", "ALLOWUSE=allowuse", "ISBN_CLASS=booksellkind", "GOODS_CLASS=bookkind",
        "SELL_DISCOUNT=selldiscount", "DISTRIB_DISCOUNT=lastindiscount", "BUILD_TIME=changetime"},
       {}, {}},
      {2, "select * from buyer", "BAS_CLIENT",
       {"CLIENT_NO=buyid", "NAME=buyername", "PHONE=buyertel", "ADDRESS=buyeraddress", "CONTACT=buyerpeople",
        "EMAIL=buyermail", "BANK=buyerbank", "BANK_NO=buyerbanknumber", "BUILD_DATE=begindate", "STS=show",
        "STS_TIME=begindate", "STORE_NO=store_no", "TRANS_FLAG=show", "TRANS_TIME=begindate", "ALLOWUSE=allowuse"},
       {}, {}},
      {3, "select * from seller  order by sellid", "BAS_PROVIDE",
       {"CLIENT_NO=sellid", "NAME=sellername", "PHONE=sellertel", "ADDRESS=selleraddress", "CONTACT=sellerpeople",
        "EMAIL=sellermail", "BANK=sellerbank", "BANK_NO=sellerbanknumber", "BUILD_DATE=begindate",
        "STS=sellerkeepmoney", "STS_TIME=changetime", "STORE_NO=show", "TRANS_FLAG=sellerkeepmoney",
        "TRANS_TIME=changetime", "ALLOWUSE=allowuse", "STORE_NO1=store_no"},
       {}, {}},
      {28, "select * from Member", "BAS_MEMBER",
       {"member_id=BuyerId", "cardnumber=CardNumber", "name=Name", "sex=Sex", "tel=Tel", "callnumber=CallNumber",
        "email=Email", "money1=BuyBookMoney", "memberkind=MemberKind", "memberkeepmoney=MemberKeepMoney",
        "buybookmoney=BuyBookMoney", "build_time=ChangeTime", "allowuse=allowuse"},
       {}, {}},
      {12, "select * from bookinfo order by bookid", "INV_LIBUP",
       {"book_id=bookid", "lib_no=packge", "lib=totalstorage", "store_no=store_no", "discount=lastindiscount"},
       {}, {}},
      // The header's change time goes to its last-change field: a date does not fit the
      // warehouse number, and put there it left every purchase header out.
      {4, "select * from vw_pur_pay2", "PUR_LOADMASTER",
       {"order_no=incaseid", "client_id=sellid", "lastuptime=changetime", "order_date=indate",
        "book_sum=insumbooks", "money_m=insummayang", "money_s=insumshiyang", "rec_num=insumnumber",
        "store_no=trainpack", "paid=incasepaymoney", "is_rate=inotherfee", "remark=buynote"},
       {}, {}},
      {8, "select * from vw_sal_rece2", "SAL_SELLMASTER",
       {"order_no=sellcaseid", "client_id=buyid", "lib_no=trainpack", "order_date=selldate",
        "discount=defaultdiscount", "book_sum=sellsumbooks", "money_m=sellsummayang", "money_s=sellsumshiyang",
        "rec_num=sellsumnumber", "store_no=store_no", "paid=sellpaymoney", "is_rate=got",
        "other_fee=sellotherfee", "ffloat1=sellsumprofit"},
       {}, {}},
      {5, "select * from inrecord", "PUR_LOADDETAIL",
       {"order_no=incaseid", "seq_no=inrecordid", "book_id=bookid", "number=innumber", "discount=indiscount",
        "lib_no=storageid", "cost=irbookprice", "order_dated=changetime", "lastuptime=changetime"},
       {}, {}},
      {9, "select * from sellrecord", "SAL_SELLDETAIL",
       {"order_no=sellcaseid", "seq_no=sellrecordid", "book_id=bookid", "number=sellrecordnumber",
        "discount=sellrecorddiscount", "lib_no=storageid", "ffloat1=sellrecordprofit", "cost=srbookprice",
        "order_dated=changetime", "lastuptime=changetime"},
       {}, {}},
      {15, "select * from vw_paymaster", "ARP_PAY",
       {"billno=paymoneyid", "billdate=changetime", "amount=paymoney", "biller=operator", "operator=operator",
        "remark=paymoneynote", "insertdate=changetime", "money_id=paykind", "custno=sellid",
        "lastuptime=changetime"},
       {}, {}},
      {16, "select * from incasepay", "ARP_PAYDETAIL",
       {"billno=paymoneyid", "outno=incaseid", "totalamount=incasepaymoney", "paid=incasepaymoney", "idenc=idenc",
        "FTIME1=incasepaydate", "order_dated=incasepaydate", "lastuptime=changetime"},
       {}, {}},
      {17, "select * from vw_recemaster", "ARP_RECE",
       {"billno=getmoneyid", "billdate=changetime", "amount=getmoney", "biller=operator", "operator=operator",
        "remark=getmoneynote", "insertdate=changetime", "money_id=paykind", "custno=buyid",
        "lastuptime=changetime"},
       {}, {}},
      {18, "select * from sellcasepay", "ARP_RECEDETAIL",
       {"billno=getmoneyid", "outno=sellcaseid", "totalamount=sellpaymoney", "paid=sellpaymoney", "idenc=idenc",
        "FTIME1=sellpaydate", "order_dated=sellpaydate", "lastuptime=changetime"},
       {}, {}},
      {36, "select * from bookkind", "PUB_DICT", {"name=name", "key_id=bookkindid", "key_word=bookkind"}, {}, {}},
  };
}

std::vector<BoxJobs> execute_order() {
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
      {"cbxarp_pay", {{15, "付款主表资料ok"}}},
      {"cbxarp_paydetail", {{16, "付款明细表资料ok"}}},
      {"cbxarp_rece", {{17, "收款主表资料ok"}}},
      {"cbxarp_recedetail", {{18, "收款明细表资料ok"}}},
      {"cbxpub_dict", {{36, "统计分类表资料ok"}}},
  };
}

std::vector<Action> step_start() {
  std::vector<Action> a = statements(Helper::ExecShow, kSource, kPrepareSource);
  // A view that cannot be created ends the step before the target is cleared.
  for (const auto& v : kViews) a.push_back(command(v.name));
  a.push_back(message("源数据库初始化完成！"));
  for (auto& s : statements(Helper::ExecShow, kTarget, kClearTarget)) a.push_back(s);
  a.push_back(message("目标库初始化完成！"));
  return a;
}

std::vector<Action> step_end() {
  std::vector<Action> a = statements(Helper::ExecShow, kTarget, kFixValues);
  a.push_back(message("更新值操作完成！"));
  return a;
}

}  // namespace

void add_gz70_data(ConverterDefinition& d) {
  d.commands = kViews;
  d.mode = data::BatchMode::AppendUpdate;
  d.abort_switches = false;
  d.jobs = jobs();
  d.execute_order = execute_order();

  d.steps["btnStart"] = step_start();
  d.steps["btnGZ"] = {exec_quiet(kTriggers, "exec dis_tr")};
  d.steps["btnEnd"] = step_end();
  d.steps["btnTR"] = {exec_quiet(kTriggers, "exec en_tr")};
  d.steps["btnOP"] = {custom(kRepairCounters)};
  d.steps["btnGetSeq_no"] = {custom(kRenumberLines)};
  d.custom[kRepairCounters] = gz70_repair_counters;
  d.custom[kRenumberLines] = gz70_renumber_purchase_lines;
}

}  // namespace bm::converters
