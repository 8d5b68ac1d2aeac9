#include "converters/qc/qc_data.h"

#include "converters/qc/qc_returns.h"

namespace bm::converters {

namespace {

const char* const kSource = "btQry_Temp_S";
const char* const kTarget = "btQry_Temp_D";
const char* const kTriggers = "btQryQC";

// Step 1, first half: a book key, "TH" numbers and a type for the returns, return quantities
// made negative.
const std::vector<std::string> kPrepareSource = {
    "ALTER TABLE spzlk ADD bookid INT IDENTITY(1,1) NOT NULL",
    "ALTER TABLE th_to_title ADD order_no varchar(50)",
    "ALTER TABLE th_to_title ADD ctype varchar(10)",
    "ALTER TABLE th_to_content ADD order_no varchar(50)",
    "ALTER TABLE th_from_title ADD order_no varchar(50)",
    "ALTER TABLE th_from_title ADD ctype varchar(10)",
    "ALTER TABLE th_from_content ADD order_no varchar(50)",
    "update th_to_title set order_no='TH'+dh",
    "update th_to_content set order_no='TH'+dh",
    "update th_from_title set order_no='TH'+dh",
    "update th_from_content set order_no='TH'+dh",
    "update th_to_title set ctype='R'",
    "update th_to_content set sp_qty=sp_qty*-1 where sp_qty>0",
    "update th_from_title set ctype='R'",
    "update th_from_content set sp_qty=sp_qty*-1 where sp_qty>0",
};

// The views the copy jobs read, in the order step 1 creates them. The book view keeps a book
// whose publisher or class code has no entry (outer joins): with inner joins such a book would
// vanish from the catalogue and the stock while its receipt and sale lines still come in.
const std::vector<CommandDef> kViews = {
    {"QC_BAS_BOOKINFO",
     true,
     {"CREATE VIEW dbo.view_bookinfo",
      "AS",
      "SELECT dbo.spzlk.*, dbo.cbs.cbs_j_name, dbo.cbs.cbs_l_name, dbo.sp_kind.sp_k_name, dbo.bc.bc_name,",
      "  dbo.kb.kb_name",
      "FROM dbo.spzlk LEFT OUTER JOIN",
      "  dbo.cbs ON dbo.spzlk.cbs_code = dbo.cbs.cbs_code LEFT OUTER JOIN",
      "  dbo.sp_kind ON dbo.spzlk.sp_k_code = dbo.sp_kind.sp_k_code LEFT OUTER JOIN",
      "  dbo.bc ON dbo.spzlk.bc_code = dbo.bc.bc_code LEFT OUTER JOIN",
      "  dbo.kb ON dbo.spzlk.kb_code = dbo.kb.kb_code"}},
    {"QC_PUR_LOADDETAIL",
     true,
     {"CREATE VIEW dbo.view_loaddetail",
      "AS",
      "SELECT dbo.sh_content.*, dbo.spzlk.bookid, dbo.sh_balance.work_date",
      "FROM dbo.sh_content INNER JOIN",
      "  dbo.spzlk ON dbo.sh_content.sp_code = dbo.spzlk.sp_code INNER JOIN",
      "  dbo.sh_balance ON dbo.sh_content.dh = dbo.sh_balance.dh"}},
    {"QC_SAL_SELLDETAIL",
     true,
     {"CREATE VIEW dbo.view_selldetail",
      "AS",
      "SELECT dbo.sale_content.*, dbo.spzlk.bookid, dbo.sale_title.work_date",
      "FROM dbo.sale_content INNER JOIN",
      "  dbo.spzlk ON dbo.sale_content.sp_code = dbo.spzlk.sp_code INNER JOIN",
      "  dbo.sale_title ON dbo.sale_content.dh = dbo.sale_title.dh"}},
    {"QC_PUR_LOADDETAIL_TH",
     true,
     {"CREATE VIEW dbo.view_loaddetail_th",
      "AS",
      "SELECT dbo.th_to_content.*, dbo.spzlk.bookid, dbo.th_to_title.work_date",
      "FROM dbo.th_to_content INNER JOIN",
      "  dbo.spzlk ON dbo.th_to_content.sp_code = dbo.spzlk.sp_code INNER JOIN",
      "  dbo.th_to_title ON dbo.th_to_content.dh = dbo.th_to_title.dh"}},
    {"QC_SAL_SELLDETAIL_TH",
     true,
     {"CREATE VIEW dbo.view_selldetail_th",
      "AS",
      "SELECT dbo.th_from_content.*, dbo.spzlk.bookid, dbo.th_from_title.work_date",
      "FROM dbo.th_from_content INNER JOIN",
      "  dbo.spzlk ON dbo.th_from_content.sp_code = dbo.spzlk.sp_code INNER JOIN",
      "  dbo.th_from_title ON dbo.th_from_content.dh = dbo.th_from_title.dh"}},
};

// Step 1, second half. The retail customer '1' survives.
const std::vector<std::string> kClearTarget = {
    "DELETE FROM bas_bookinfo",   "DELETE FROM bas_client where client_no<>'1'",
    "DELETE FROM bas_provide",    "DELETE FROM bas_member",
    "DELETE FROM inv_libup",      "DELETE FROM pur_loadmaster",
    "DELETE FROM pur_loaddetail", "DELETE FROM sal_sellmaster",
    "DELETE FROM sal_selldetail",
};

// Step 4: store 'N1', warehouse 1, document types by the sign of the amount, percentages to
// fractions, the walk-in customer's sales to the retail customer '1'.
const std::vector<std::string> kFixValues = {
    "UPDATE inv_libup SET store_no='N1'",
    "UPDATE pur_loadmaster SET money_m=0 WHERE money_m IS NULL",
    "UPDATE pur_loadmaster SET ctype='L' WHERE money_m>=0",
    "UPDATE pur_loadmaster SET ctype='R' WHERE money_m<0",
    "UPDATE sal_sellmaster SET money_m=0 WHERE money_m IS NULL",
    "UPDATE sal_sellmaster SET ctype='L' WHERE money_m>=0",
    "UPDATE sal_sellmaster SET ctype='R' WHERE money_m<0",
    "UPDATE inv_libup SET store_no='N1'",
    "UPDATE sal_sellmaster SET store_no='N1'",
    "UPDATE pur_loadmaster SET store_no='N1'",
    "UPDATE bas_bookinfo SET store_no='N1'",
    "UPDATE bas_client SET store_no='N1'",
    "UPDATE bas_provide SET store_no='N1'",
    "UPDATE bas_bookinfo SET allowuse=1",
    "UPDATE bas_client SET allowuse=1",
    "UPDATE bas_provide SET allowuse=1",
    "UPDATE bas_member SET allowuse=1",
    "UPDATE inv_libup SET lib_no=1",
    "UPDATE sal_sellmaster SET  lib_no=1",
    "UPDATE pur_loadmaster SET  lib_no=1",
    "UPDATE sal_selldetail SET  lib_no=1",
    "UPDATE pur_loaddetail SET  lib_no=1",
    "UPDATE bas_bookinfo SET goods_class='图书'",
    "UPDATE bas_bookinfo SET isbn_class='不区分' where isbn_class is null",
    "UPDATE bas_bookinfo SET in_price=in_price/100 where in_price>1",
    "UPDATE bas_bookinfo SET sell_discount=sell_discount/100 where sell_discount>1",
    "UPDATE bas_bookinfo SET sell_price=sell_price/100 where sell_price>1",
    "UPDATE bas_bookinfo SET retail_price=retail_price/100 where retail_price>1",
    "UPDATE inv_libup SET discount=discount/100 where discount>1",
    "UPDATE sal_selldetail SET discount=discount/100 where discount>1",
    "UPDATE pur_loaddetail SET discount=discount/100 where discount>1",
    "UPDATE inv_libup SET discount=round(discount,2)",
    "UPDATE sal_selldetail SET discount=round(discount,2)",
    "UPDATE pur_loaddetail SET discount=round(discount,2)",
    "UPDATE sal_sellmaster SET  ctype='T' where client_id='999999'",
    "UPDATE sal_sellmaster SET  client_id='1' where client_id='999999'",
    "UPDATE sal_sellmaster SET  client_id='1' where client_id='无'",
    "UPDATE sal_sellmaster SET  ctype='T' where client_id='1'",
    "UPDATE bas_bookinfo SET USEMEM_DISCOUNT=1",
    "UPDATE bas_bookinfo SET USEMEM_UPDISCOUNT=1",
    "UPDATE bas_bookinfo SET USEMEM_JIFEN=1",
};

const char* const kKeepReturns = "keep_qc_return_types";

// Receipt and sale lines (8a, 9a) and return lines (8b, 9b): the return lines carry the "TH"
// number and no price.
const std::vector<std::string> kLineMappings = {
    "order_no=dh",    "seq_no=ordxh",    "fint4=ordxh",        "book_id=bookid",         "number=sp_qty",
    "discount=sp_zk", "lib_no=zk_label", "price=sp_sa_pri",    "order_dated=work_date",
};
const std::vector<std::string> kReturnLineMappings = {
    "order_no=order_no", "seq_no=ordxh",    "fint4=ordxh",          "book_id=bookid",
    "number=sp_qty",     "discount=sp_zk",  "lib_no=zk_label",      "order_dated=work_date",
};

std::vector<JobDef> jobs() {
  return {
      {1, "select * from view_bookinfo order by sp_code", "BAS_BOOKINFO",
       {"book_id=bookid", "isbn=sp_code", "book_name=sp_name", "publish=cbs_j_name", "price=self_pri",
        "publish_date=cb_date", "author=writer", "client_id=gys_code", "fst_lib=in_qty", "busi_class=sp_k_name",
        "sell_price=default_zk", "sell_discount=pf_zk", "retail_price=fy_zk", "ffloat1=sp_in_pri",
        "in_price=sp_zk"},
       {}, {}},
      // Customers and suppliers: the prepayment is not copied into `allowuse`, a small integer
      // that step 4 sets to 1 anyway; a prepayment such as 150.50 does not fit it and would
      // leave the customer out.
      {2, "select * from kf", "BAS_CLIENT",
       {"client_no=kf_code", "name=kf_j_name", "phone=kf_tel", "address=addr", "contact=kf_peo", "email=email",
        "fst_money=kf_owemoney", "bank_no=account_bank", "salesman=kf_tel1", "store_no=kf_prepare_money"},
       {}, {}},
      {3, "select * from gys", "BAS_PROVIDE",
       {"client_no=gys_code", "name=gys_j_name", "phone=gys_tel", "address=addr", "contact=gys_peo",
        "salesman=mobitel", "email=email", "fst_money=gys_owemoney", "bank=account_bank", "bank_no=accounts",
        "store_no=gys_prepare_money"},
       {}, {}},
      {28, "select * from fy", "BAS_MEMBER",
       {"member_id=fy_code", "cardnumber=card_type", "name=fy_name", "remark=fy_memo", "sex=fy_sex", "tel=fy_tel",
        "email=fy_mail", "birthday=fy_birthday", "changetime=change_date", "pass=passwd", "callnumber=mobitel",
        "fstr1=or_send_card", "money1=fy_money", "memberkind=card_type", "build_time=init_date"},
       {}, {}},
      // Stock comes from the book master, one row per book.
      {12, "select * from view_bookinfo order by bookid", "INV_LIBUP",
       {"book_id=bookid", "lib_no=bag", "lib=now_qty", "fst_lib=in_qty", "store_no=bag", "discount=sp_zk",
        "lastuptime=change_date"},
       {}, {}},
      {4, "select * from sh_balance", "PUR_LOADMASTER",
       {"order_no=dh", "client_id=gys_code", "lib_no=bm_code", "order_date=work_date", "book_sum=total_con",
        "money_m=total_my", "money_s=total_sy", "rec_num=total_qty", "store_no=bm_code", "ffloat1=th_sy"},
       {}, {}},
      // Returns come without amounts.
      {37, "select * from th_to_title", "PUR_LOADMASTER",
       {"order_no=order_no", "client_id=gys_code", "lib_no=from_bm", "order_date=work_date", "store_no=from_bm",
        "ctype=ctype"},
       {}, {}},
      // Sales take their date from work_time, returns from work_date.
      {8, "select * from sale_title", "SAL_SELLMASTER",
       {"order_no=dh", "client_id=kf_code", "lib_no=from_bm", "order_date=work_time", "store_no=from_bm",
        "ctype=wholesale_retail", "operator=work_peo"},
       {}, {}},
      {36, "select * from th_from_title", "SAL_SELLMASTER",
       {"order_no=order_no", "client_id=kf_code", "lib_no=from_bm", "order_date=work_date", "store_no=from_bm",
        "ctype=ctype", "operator=work_peo"},
       {}, {}},
      {5, "select * from view_loaddetail order by dh", "PUR_LOADDETAIL", kLineMappings, {}, {}},
      {38, "select * from  view_loaddetail_th order by dh", "PUR_LOADDETAIL", kReturnLineMappings, {}, {}},
      {9, "select * from view_selldetail order by dh", "SAL_SELLDETAIL", kLineMappings, {}, {}},
      {39, "select * from view_selldetail_th order by dh", "SAL_SELLDETAIL", kReturnLineMappings, {}, {}},
  };
}

std::vector<BoxJobs> execute_order() {
  return {
      {"cbxbas_bookinfo", {{1, "图书资料ok"}}},
      {"cbxbas_client", {{2, "客户资料ok"}}},
      {"cbxbas_provide", {{3, "供应商资料ok"}}},
      {"cbxbas_member", {{28, "会员资料ok"}}},
      {"cbxInv_libup", {{12, "库存资料ok"}}},
      {"cbxpur_loadmaster", {{4, "进货主表资料ok"}, {37, "进货退货主表资料ok"}}},
      {"cbxsal_sellmaster", {{8, "销售主表资料ok"}, {36, "销售销退主表资料ok"}}},
      {"cbxpur_loaddetail", {{5, "进货明细表资料ok"}, {38, "进货退货明细表资料ok"}}},
      {"cbxsal_selldetail", {{9, "销售明细表资料ok"}, {39, "销售销退明细表资料ok"}}},
  };
}

std::vector<Action> step_start() {
  std::vector<Action> a = statements(Helper::ExecShow, kSource, kPrepareSource);
  for (const auto& v : kViews) a.push_back(guarded_command(v.name));
  a.push_back(message("源数据库初始化完成！"));
  for (auto& s : statements(Helper::ExecShow, kTarget, kClearTarget)) a.push_back(s);
  a.push_back(message("目标库初始化完成！"));
  return a;
}

std::vector<Action> step_end() {
  std::vector<Action> a = statements(Helper::ExecShow, kTarget, kFixValues);
  // After the 'L'/'R' and 'T' statements: the returns get their 'R' back.
  a.push_back(custom(kKeepReturns));
  a.push_back(message("更新值操作完成！"));
  return a;
}

}  // namespace

void add_qc_data(ConverterDefinition& d) {
  d.commands = kViews;
  d.mode = data::BatchMode::AppendUpdate;
  d.abort_switches = false;
  d.jobs = jobs();
  d.execute_order = execute_order();

  d.steps["btnStart"] = step_start();
  d.steps["btnTR_Close"] = {exec_quiet(kTriggers, "exec dis_tr")};
  d.steps["btnEnd"] = step_end();
  d.steps["btnTR_Open"] = {exec_quiet(kTriggers, "exec en_tr")};
  d.steps["btnOP"] = {};  // step 6 has nothing to do for QC
  d.steps["btnISBN13"] = {exec_show(kTarget, "UPDATE bas_bookinfo SET isbn=left(isbn,13)  where len(isbn)>13")};
  d.custom[kKeepReturns] = keep_qc_return_types;
}

}  // namespace bm::converters
