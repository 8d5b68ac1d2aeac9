// The window side of the ten converter definitions, checked against a transcription of their
// windows made independently of the definitions, plus what must hold for every window.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "converters/definition.h"
#include "converters/registry.h"

namespace bm::converters {
namespace {

using data::DriverKind;
using Buttons = std::vector<std::pair<std::string, std::string>>;
using Boxes = std::set<std::string>;

const char* const kNote = "说明：“源数据库”输入框中只需要保留数据库名称即可";

struct Expected {
  std::string code;
  std::string window_class, unit, caption, dm_class, dm_unit;
  std::string source_default, target_default;
  bool source_enabled;
  bool modal;
  std::string note, memo_name;
  std::string source_name, source_designed;
  DriverKind source_kind;
  std::string target_name, target_designed;
  DriverKind target_kind;
  SourceConnect source_connect;
  TargetConnect target_connect;
  std::vector<std::string> source_queries, target_queries;
  Boxes enabled;
  Buttons buttons;
  std::map<std::string, std::string> message_steps;  // buttons that only show a text
};

const Buttons kGzButtons = {
    {"btnS", "连  接  源"},
    {"btnD", "连接目标"},
    {"btnStart", "第一步 源数据库和目标库初始化"},
    {"btnGZ", "第二步  屏蔽目标库触发器"},
    {"btnBatchMove", "第三步 执行左边的选项表"},
    {"btnTOqim", "执  行"},
    {"btnEnd", "第四步 目标库更新值操作"},
    {"btnTR", "第五步 还原触发器"},
    {"btnOP", "第六步 还原数据库的操作值"},
    {"btnTEST", "第七步 测试,测试规则"},
};
const Buttons kImporterButtons = {
    {"btnS", "连  接  源"},
    {"btnD", "连接目标"},
    {"btnStart", "第一步 源数据库和目标库初始化"},
    {"btnTR_Close", "第二步  屏蔽触发器"},
    {"btnBatchMove", "第三步 执行左边的选项表"},
    {"btnTOqim", "执  行"},
    {"btnEnd", "第四步 目标库更新值操作"},
    {"btnTR_Open", "第五步 还原触发器"},
    {"btnOP", "第六步 还原数据库的操作值"},
    {"btnTEST", "第七步 测试,测试规则"},
};
const Buttons kEditionButtons = {
    {"btnS", "连  接  源"},
    {"btnD", "连接目标"},
    {"btnTRClose", "第一步  屏蔽触发器"},
    {"btnDesDBInit", "第二步 目标数据库初始化"},
    {"btnBatchMove", "第三步 执行左边的选项表"},
    {"btnTOqim", "执  行"},
    {"btnEnd", "第四步 目标库更新值操作"},
    {"btnTROpen", "第五步  恢复触发器"},
};

Buttons plus(Buttons b, const Buttons& more) {
  b.insert(b.end(), more.begin(), more.end());
  return b;
}

const Boxes kMasterAndDocs = {"cbxbas_bookinfo",   "cbxbas_client",     "cbxbas_provide",    "cbxbas_member",    "cbxInv_libup",
                              "cbxpur_loadmaster", "cbxpur_loaddetail", "cbxsal_sellmaster", "cbxsal_selldetail"};
const Boxes kSettlement = {"cbxarp_pay", "cbxarp_paydetail", "cbxarp_rece", "cbxarp_recedetail"};

Boxes join(Boxes a, const Boxes& b) {
  a.insert(b.begin(), b.end());
  return a;
}

const Boxes kEditionBoxes = {
    "cbxbas_bookinfo",    "cbxbas_client",       "cbxbas_provide",    "cbxbas_member",     "cbxsal_addmoney",
    "cbxInv_libup",       "cbxsys_lognew",       "cbxpub_dict",       "cbxpur_loadmaster", "cbxpur_loaddetail",
    "cbxpur_ordermaster", "cbxpur_orderdetail",  "cbxsal_sellmaster", "cbxsal_selldetail", "cbxsal_ordermaster",
    "cbxsal_orderdetail", "cbxarp_pay",          "cbxarp_paydetail",  "cbxarp_rece",       "cbxarp_recedetail",
    "cbxinv_check",       "cbxinv_checkdetail",  "cbxinv_exchmaster", "cbxinv_exchdetail", "cbxsal_hiremaster",
    "cbxsal_hiredetail",  "cbxbas_department",   "cbxbas_libinfo",    "cbxpub_maxid",      "cbxpub_ordermaxid",
    "cbxsys_config",      "cbxsys_operator",     "cbxsys_operatordetail", "cbxbas_bookbip", "cbxbas_company",
    "cbxbas_memberlevel", "cbxbas_membersecede", "cbxinv_calmethod",  "cbxinv_iodetail"};

Boxes without(Boxes a, const Boxes& b) {
  for (const auto& x : b) a.erase(x);
  return a;
}

const std::string kRemind = "勾选选项表导入数据！";
const std::string kTest = "进行测试！";

// Failures name the converter rather than dumping the row.
void PrintTo(const Expected& e, std::ostream* os) { *os << e.code; }

const std::vector<Expected>& expected() {
  static const std::vector<Expected> list = {
      {"GZ", "TfrmGZ", "gzTOqimstd", "广智一键导入", "TDataGZ", "DMgzTOqimstd", "book7", "rorudazez", true, false, kNote,
       "Memo1", "GZTOQIM", "book7", DriverKind::MSSQL, "QIMDGZ", "qimbookep", DriverKind::MSSQL,
       SourceConnect::RebuildFromField, TargetConnect::Designed, {"btQry_Temp_S"},
       {"btQry_Temp_D", "btQryGZ", "btQrygetNo1", "btQrygetNo2", "btQrygetNo3"},
       join(join(kMasterAndDocs, kSettlement), {"cbxpub_dict"}),
       plus(kGzButtons, {{"btnGetSeq_no", "获取鹿屿大客户版进货批销明细序号"}}), {{"btnBatchMove", kRemind}}},
      {"GZ80", "TGZ8TOqimstd", "GZ8TOqimstdfrm", "广智80转鹿屿大客户版(qimbookep)", "TDataGZ80", "gz80", "book80",
       "rorudazez", true, true, kNote, "Memo1", "GZTOQIM80", "book80", DriverKind::MSSQL, "QIMDGZ80", "qimbookep",
       DriverKind::MSSQL, SourceConnect::RebuildFromField, TargetConnect::Designed, {"btQry_Temp_S"},
       {"btQry_Temp_D", "btQryGZ"}, join(kMasterAndDocs, {"cbxpub_dict"}), kGzButtons, {{"btnBatchMove", kRemind}}},
      {"RC", "TfrmRcTOqimstd", "RcTOqimstd", "frmRcTOqimstd", "TDataRuiChen", "DMruichen", "rc", "rorudazez", true,
       false, kNote, "ReadMe", "RCTOQIM", "rc", DriverKind::MSSQL, "QIMDRC", "qimbookep", DriverKind::MSSQL,
       SourceConnect::RebuildFromField, TargetConnect::Designed, {"btQry_Temp_S"}, {"btQry_Temp_D", "btQryRC"},
       kMasterAndDocs, plus(kImporterButtons, {{"btnISBN13", "去掉书号尾巴"}}),
       {{"btnBatchMove", kRemind}, {"btnTEST", kTest}}},
      {"QC", "TfrmQC", "qcTOqimstd", "晴川一键导入到大客户版", "TDataQC", "DMqcTOqimstd", "qc", "rorudazez", true, false,
       kNote, "ReadMe", "QCTOQIM", "qc_20120522", DriverKind::MSSQL, "QIMDQC", "qimbookep", DriverKind::MSSQL,
       SourceConnect::RebuildFromField, TargetConnect::Designed, {"btQry_Temp_S"}, {"btQry_Temp_D", "btQryQC"},
       kMasterAndDocs, plus(kImporterButtons, {{"btnISBN13", "去掉书号尾巴"}}),
       {{"btnBatchMove", kRemind}, {"btnTEST", kTest}}},
      {"GMS", "TfrmGMS", "gmsTOqimstd", "格敏思一键导入", "TDataGMS", "DMgmsTOqimstd", "D:\\testdata\\greens.gdb",
       "D:\\testdata\\rorudazez", false, false, "", "Memo1", "GMSTOQIM", "D:\\testdata\\greens.gdb",
       DriverKind::INTRBASE, "QIMDGMS", "D:\\testdata\\rorudazez", DriverKind::INTRBASE, SourceConnect::DesignedOnly,
       TargetConnect::RebuildFromField, {"btQry_Temp_S"}, {"btQry_Temp_D", "btQryGMS"},
       join(kMasterAndDocs, kSettlement), kImporterButtons,
       {{"btnBatchMove", kRemind}, {"btnOP", "不需要操作！"}, {"btnTEST", kTest}}},
      {"YH", "TfrmYH", "yhTOqimstd", "益华一键导入", "TDataYH", "DMyhTOqimstd", "yh", "rorudazez", true, false, kNote,
       "ReadMe", "YHTOQIM", "yh", DriverKind::MSSQL, "QIMDYH", "qimbookep", DriverKind::MSSQL,
       SourceConnect::RebuildFromField, TargetConnect::Designed, {"btQry_Temp_S"}, {"btQry_Temp_D", "btQryYH"},
       join(kMasterAndDocs, {"cbxbusi_class"}), kImporterButtons,
       {{"btnBatchMove", kRemind}, {"btnOP", "操作完成！"}, {"btnTEST", kTest}}},
      {"LJ", "TfrmLJ", "ljTOqimstd", "力嘉一键导入", "TDataLJ", "DMljTOqimstd", "bookshop", "D:\\testdata\\rorudazez",
       true, false, kNote, "ReadMe", "LJTOQIM", "bookshop", DriverKind::MSSQL, "QIMDLJ", "D:\\testdata\\rorudazez",
       DriverKind::INTRBASE, SourceConnect::RebuildFromField, TargetConnect::RebuildFromField, {"btQry_Temp_S"},
       {"btQry_Temp_D", "btQryLJ"}, {"cbxbas_bookinfo", "cbxbas_client", "cbxbas_provide"}, kImporterButtons,
       {{"btnBatchMove", kRemind}, {"btnOP", "操作完成！"}, {"btnTEST", kTest}}},
      {"GY", "TfrmGY", "gyTOqimsql", "公元一键导入", "TDataGY", "DMgyTOqimsql", "Aduse", "qimbook", true, false,
       "说明：数据库输入框中只需要保留数据库名称即可", "ReadMe", "GYTOQIM", "Aduse", DriverKind::MSSQL, "QIMDGY",
       "qimbookep", DriverKind::MSSQL, SourceConnect::RebuildFromField, TargetConnect::RebuildFromField,
       {"btQry_Temp_S"}, {"btQry_Temp_D", "btQryGY"}, without(kMasterAndDocs, {"cbxbas_member"}),
       {{"btnS", "连  接  源"},
        {"btnD", "连接目标"},
        {"btnStart", "第一步 源数据库和目标库初始化"},
        {"btnTR_Close", "第二步  屏蔽触发器"},
        {"btnBatchMove", "第三步 执行左边的选项表"},
        {"btnTOqim", "执  行"},
        {"btnOP", "第四步 新建进货表丢失的触发器"},
        {"btnEnd", "第五步 目标库更新值操作"},
        {"btnTR_Open", "第六步 还原触发器"},
        {"btnTEST", "第七步 测试,测试规则"}},
       {{"btnBatchMove", kRemind}, {"btnTEST", kTest}}},
      {"QIM", "TfrmQIM", "qimstdTOqimsql", "鹿屿标准版到大客户版一键导入", "TDataQIM", "DMqimstdTOqimsql",
       "D:\\testdata\\qimbook", "rorudazez", true, false, "", "ReadMe", "QIMTOQIM", "D:\\testdata\\qimbook",
       DriverKind::INTRBASE, "QIMDQIM", "qimbookep", DriverKind::MSSQL, SourceConnect::RebuildFromField,
       TargetConnect::RebuildFromField, {}, {"btQry_Temp_D", "btQryQIM"}, kEditionBoxes, kEditionButtons,
       {{"btnBatchMove", kRemind}, {"btnEnd", "不需要操作！"}}},
      {"QIM2", "TfrmQIM2", "qimsqlTOqimstd", "鹿屿大客户版到标准版一键导入", "TDataQIM2", "DMqimsqlTOqimstd",
       "rorudazez", "D:\\testdata\\rorudazez", true, false, "", "ReadMe", "QIMTOQIM2", "qimbook", DriverKind::MSSQL,
       "QIMDQIM2", "D:\\testdata\\qimbook", DriverKind::INTRBASE, SourceConnect::RebuildFromField,
       TargetConnect::RebuildFromField, {}, {"btQry_Temp_D", "btQryQIM2"},
       join(without(kEditionBoxes, {"cbxbas_bookbip", "cbxinv_calmethod"}), {"cbxhaveValue"}), kEditionButtons,
       {{"btnBatchMove", kRemind}}},
  };
  return list;
}

const ConverterDefinition& definition(const std::string& code) {
  const ConverterDefinition* d = find_converter(code);
  if (!d) throw std::runtime_error("no converter " + code);
  return *d;
}

std::set<std::string> boxes_of(const WindowDef& w) {
  std::set<std::string> names;
  for (const auto& g : w.groups)
    for (const auto& b : g.boxes) names.insert(b.name);
  return names;
}

const CheckBoxDef* find_box(const WindowDef& w, const std::string& name, std::string* group = nullptr) {
  for (const auto& g : w.groups)
    for (const auto& b : g.boxes)
      if (b.name == name) {
        if (group) *group = g.caption;
        return &b;
      }
  return nullptr;
}

class Window : public ::testing::TestWithParam<Expected> {};

TEST_P(Window, ClassesCaptionAndFields) {
  const Expected& e = GetParam();
  const ConverterDefinition& d = definition(e.code);
  const WindowDef& w = d.window;
  EXPECT_EQ(w.window_class, e.window_class);
  EXPECT_EQ(w.unit, e.unit);
  EXPECT_EQ(w.caption, e.caption);
  EXPECT_EQ(d.dm_class, e.dm_class);
  EXPECT_EQ(d.dm_unit, e.dm_unit);
  EXPECT_EQ(w.modal, e.modal);
  EXPECT_EQ(w.source_default, e.source_default);
  EXPECT_EQ(w.target_default, e.target_default);
  EXPECT_EQ(w.source_enabled, e.source_enabled);
  EXPECT_TRUE(w.target_enabled);
  EXPECT_EQ(w.note, e.note);
  EXPECT_EQ(w.memo_name, e.memo_name);
}

TEST_P(Window, ConnectionsAndWorkQueries) {
  const Expected& e = GetParam();
  const ConverterDefinition& d = definition(e.code);
  EXPECT_EQ(d.source.name, e.source_name);
  EXPECT_EQ(d.source.kind, e.source_kind);
  EXPECT_EQ(d.source.designed, e.source_designed);
  EXPECT_EQ(d.target.name, e.target_name);
  EXPECT_EQ(d.target.kind, e.target_kind);
  EXPECT_EQ(d.target.designed, e.target_designed);
  EXPECT_EQ(d.source_connect, e.source_connect);
  EXPECT_EQ(d.target_connect, e.target_connect);
  // Every rebuilt target takes the standard profile of its driver kind.
  if (d.target_profile) {
    auto standard = d.target.kind == data::DriverKind::MSSQL ? data::profiles::server_profile("x")
                                                              : data::profiles::file_profile("x");
    EXPECT_EQ(d.target_profile("x"), standard);
  }
  EXPECT_EQ(std::set<std::string>(d.source_queries.begin(), d.source_queries.end()),
            std::set<std::string>(e.source_queries.begin(), e.source_queries.end()));
  EXPECT_EQ(std::set<std::string>(d.target_queries.begin(), d.target_queries.end()),
            std::set<std::string>(e.target_queries.begin(), e.target_queries.end()));
}

TEST_P(Window, EnabledBoxes) {
  const Expected& e = GetParam();
  const WindowDef& w = definition(e.code).window;
  EXPECT_EQ(w.enabled_boxes, e.enabled);
  const std::set<std::string> all = boxes_of(w);
  for (const auto& name : w.enabled_boxes) EXPECT_TRUE(all.count(name)) << name << " is enabled but not shown";
  // A disabled group holds no enabled box.
  for (const auto& g : w.groups) {
    if (!w.disabled_groups.count(g.caption)) continue;
    for (const auto& b : g.boxes) EXPECT_FALSE(w.enabled_boxes.count(b.name)) << b.name;
  }
  for (const auto& caption : w.disabled_groups)
    EXPECT_TRUE(std::any_of(w.groups.begin(), w.groups.end(), [&](const auto& g) { return g.caption == caption; }))
        << caption;
}

TEST_P(Window, StepButtonsInCaptionOrder) {
  const Expected& e = GetParam();
  const WindowDef& w = definition(e.code).window;
  Buttons got;
  for (const auto& b : w.buttons) got.emplace_back(b.name, b.caption);
  EXPECT_EQ(got, e.buttons);
  for (const auto& b : w.buttons) {
    EXPECT_EQ(b.bold, b.name == "btnTOqim") << b.name;
    bool hidden = b.name == "btnGetSeq_no";
    EXPECT_EQ(b.visible, !hidden) << b.name;
    EXPECT_EQ(b.enabled, !hidden) << b.name;
  }
}

TEST_P(Window, ButtonsThatOnlyShowAText) {
  const Expected& e = GetParam();
  const ConverterDefinition& d = definition(e.code);
  for (const auto& [button, text] : e.message_steps) {
    auto it = d.steps.find(button);
    ASSERT_NE(it, d.steps.end()) << button;
    ASSERT_EQ(it->second.size(), 1u) << button;
    EXPECT_EQ(it->second[0].kind, Action::Kind::Message) << button;
    EXPECT_EQ(it->second[0].text, text) << button;
  }
}

TEST_P(Window, Invariants) {
  const ConverterDefinition& d = definition(GetParam().code);
  const WindowDef& w = d.window;
  std::set<std::string> buttons;
  for (const auto& b : w.buttons) EXPECT_TRUE(buttons.insert(b.name).second) << "button twice: " << b.name;
  for (const char* name : {"btnS", "btnD", "btnTOqim"}) EXPECT_TRUE(buttons.count(name)) << name;
  std::set<std::string> boxes;
  for (const auto& g : w.groups)
    for (const auto& b : g.boxes) {
      EXPECT_TRUE(boxes.insert(b.name).second) << "box twice: " << b.name;
      EXPECT_FALSE(b.caption.empty()) << b.name;
    }
  // A step belongs to a button of this window; connect and execute are the data module's own.
  for (const auto& [button, actions] : d.steps) {
    EXPECT_TRUE(buttons.count(button)) << "step for a missing button: " << button;
    EXPECT_NE(button, "btnS");
    EXPECT_NE(button, "btnD");
    EXPECT_NE(button, "btnTOqim");
  }
  // A job's box is on the window; a disabled one (books' bibliography and the stock calculation
  // of the big-customer to standard window) keeps its job from ever running.
  std::set<std::string> shown;
  for (const auto& g : w.groups)
    for (const auto& b : g.boxes) shown.insert(b.name);
  for (const auto& bj : d.execute_order) EXPECT_TRUE(shown.count(bj.checkbox)) << bj.checkbox;
  EXPECT_TRUE(w.memo_name == "Memo1" || w.memo_name == "ReadMe") << w.memo_name;
}

INSTANTIATE_TEST_SUITE_P(AllConverters, Window, ::testing::ValuesIn(expected()),
                         [](const ::testing::TestParamInfo<Expected>& p) { return p.param.code; });

TEST(Registry, EveryConverterOnceInCreationOrder) {
  std::vector<std::string> codes;
  std::set<std::string> connections;
  for (const auto* c : all_converters()) {
    codes.push_back(c->code);
    EXPECT_TRUE(connections.insert(c->source.name).second) << c->source.name;
    EXPECT_TRUE(connections.insert(c->target.name).second) << c->target.name;
  }
  EXPECT_EQ(codes, (std::vector<std::string>{"GZ", "QC", "GMS", "QIM", "YH", "LJ", "QIM2", "GY", "GZ80", "RC"}));
  EXPECT_EQ(find_converter("nope"), nullptr);
}

// Where a window shows the catalogue differently.
TEST(CheckBoxGroups, WindowChangesToTheCatalogue) {
  std::string group;
  // YH names its classification box cbxbusi_class.
  const WindowDef& yh = definition("YH").window;
  const CheckBoxDef* busi = find_box(yh, "cbxbusi_class", &group);
  ASSERT_NE(busi, nullptr);
  EXPECT_EQ(busi->caption, "统计分类");
  EXPECT_EQ(group, "资料系统");
  EXPECT_EQ(find_box(yh, "cbxpub_dict"), nullptr);

  // GY shows 25 table boxes: no classification box.
  const WindowDef& gy = definition("GY").window;
  EXPECT_EQ(boxes_of(gy).size(), 25u);
  EXPECT_EQ(find_box(gy, "cbxpub_dict"), nullptr);

  // GZ80 disables its settlement and stock-document groups as a whole.
  EXPECT_EQ(definition("GZ80").window.disabled_groups, (std::set<std::string>{"结算", "库存"}));

  // The ISBN box of Ruichen and QC can never be ticked.
  for (const char* code : {"RC", "QC"}) {
    const WindowDef& w = definition(code).window;
    const CheckBoxDef* isbn = find_box(w, "cbxISBN13");
    ASSERT_NE(isbn, nullptr) << code;
    EXPECT_EQ(isbn->caption, "去掉书号尾巴,只要");
    EXPECT_FALSE(w.enabled_boxes.count("cbxISBN13"));
  }

  const CheckBoxDef* have = find_box(definition("QIM2").window, "cbxhaveValue");
  ASSERT_NE(have, nullptr);
  EXPECT_EQ(have->caption, "如果大客户版数据库有统计分析数据或原来是正常使用的，请选择此项。");
}

TEST(CheckBoxGroups, EditionBoxesCaptionsAndGroups) {
  struct Box {
    const char* name;
    const char* caption;
    const char* group;
  };
  const std::vector<Box> boxes = {
      {"cbxpub_dict", "统计分类资料", "资料系统"},    {"cbxbas_department", "部门资料", "资料系统"},
      {"cbxbas_libinfo", "仓库资料", "资料系统"},     {"cbxpub_maxid", "图书资料最大值", "资料系统"},
      {"cbxpub_ordermaxid", "单据最大值", "资料系统"}, {"cbxsys_config", "系统配置信息", "资料系统"},
      {"cbxsys_operator", "操作员资料", "资料系统"},   {"cbxsys_operatordetail", "操作员明细", "资料系统"},
      {"cbxbas_bookbip", "书目资料", "资料系统"},      {"cbxbas_company", "公司资料", "资料系统"},
      {"cbxbas_memberlevel", "会员级别", "资料系统"},  {"cbxbas_membersecede", "会员退会", "资料系统"},
      {"cbxinv_calmethod", "系统计算", "资料系统"},    {"cbxinv_iodetail", "备用库存表", "库存"},
      {"cbxbas_bookinfo", "图书资料", "资料系统"},     {"cbxpur_ordermaster", "报订单主表", "采购"},
      {"cbxsal_orderdetail", "收订单明细", "销售"},    {"cbxarp_recedetail", "收款单明细", "结算"},
      {"cbxinv_checkdetail", "盘点单明细", "库存"},    {"cbxsal_hiredetail", "租书还书明细", "库存"},
  };
  for (const char* code : {"QIM", "QIM2"}) {
    const WindowDef& w = definition(code).window;
    for (const auto& b : boxes) {
      std::string group;
      const CheckBoxDef* box = find_box(w, b.name, &group);
      ASSERT_NE(box, nullptr) << code << " " << b.name;
      EXPECT_EQ(box->caption, b.caption) << code << " " << b.name;
      EXPECT_EQ(group, b.group) << code << " " << b.name;
    }
  }
  // Elsewhere the classification box keeps the catalogue's caption.
  EXPECT_EQ(find_box(definition("GZ").window, "cbxpub_dict")->caption, "统计分类");
}

// The memo lines that the windows give exactly.
TEST(Memo, ExactLines) {
  const std::map<std::string, std::vector<std::string>> memos = {
      {"RC",
       {"导数据之前,需进行以下操作:", "", "    在MS SQL 2000中新建数据库,将瑞晨源数", "据库还原到新建的数据库中",
        ""}},
      {"QC",
       {"导数据之前,需进行以下操作:", "", "    在MS SQL 2000中新建数据库,将晴川源数", "据库还原到新建的数据库中",
        "晴川导入问题", "", "1、图书资料无零售折扣(ok)", "2、库存码洋实样为负数(定价666222的不对)",
        "3、没有进货退货单(OK)(有两批的，没定价)", "4、没有批销退货单(OK)", "5、零售单的金额依旧为零(OK)",
        "6.供应商等没名称(OK)", "7.折扣除以100", "", "(sh_balance)"}},
      {"LJ",
       {"导数据之前,需进行以下操作:", "", "    在MS SQL 2000中新建数据库,将力嘉源数", "据库还原到新建的数据库中"}},
      {"YH",
       {"导数据之前,需进行以下操作:",
        "",
        "    在MS SQL 2000中新建数据库,将益华源数",
        "据库还原到新建的数据库中",
        "",
        "",
        "",
        "数据库操作步骤",
        "1.图书资料db_product增加自增字",
        "段:book_id,ls_discount,busi_class,publish",
        "(db_product_discount:图书资料折",
        "扣，dz_type：统计分",
        "类,dbo.db_publishs.pub_name:出版社名",
        "称)",
        "2.yw_jh_item进货明细增加视图",
        "有book_id",
        "3.db_ls_item零售明细表增加视图",
        "有book_id,增加一个类型字段ctype='L'，",
        "并赋值",
        "4.yw_px_item批销明细表增加视图",
        "有book_id",
        "5.db_stocks_amount增加视图有book_id,",
        "其是s_id对应store_no",
        "",
        "6.dz_type增加busi_class字段，并赋值为",
        "BUSI_CLASS,UPDATE dz_type",
        "SET busi_class = 'BUSI_CLASS'"}},
      {"GMS",
       {"导数据之后,需进行以下操作:",
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
        "入会员资料"}},
      {"GY",
       {"导数据之前,需进行以下操作:",
        "",
        "一、在MS SQL 2000中,将公元源数",
        "据库(如:Aduse)附加到SQL数据库中,",
        "新建数据库(如:qimbook_gy),将鹿屿的",
        "空数据库(rorudazez_SQL)还原到新",
        "建的数据库中,用户选择sysdba",
        "",
        R"(二、执行"第一步 源数据库和目标数)",
        R"(据库初始化"，执行成功后再进行以)",
        "下说明中的三、四步",
        "",
        "三、手动修改公元源数据库以下表",
        R"(的"书刊ID"字段类型为"int":)",
        "    BookInfor表、OrderDetailTemp表、",
        "OrderDetail表、Stocks_bak表",
        "",
        "四、手动修改鹿屿目标数据库",
        "PUR_LOADMASTER表",
        R"(的"REC_NUM"字段类型为"int")"}},
      {"QIM",
       {"导数据之前，需进行以下操作:", "    ", "一、在MS SQL 2000中新建数据库,将鹿屿空数据库",
        "(rorudazez_SQL)还原到新建的数据库中", "", "二、在还原的数据库",
        "中,将sys_lognew,arp_paydetail,arp_recedetail,inv_check", "detail表的LOG_ID等自增字段字",
        R"(段的标识改为"否")", "", "三、数据导完之后,再", "将sys_lognew,arp_paydetail,arp_recedetail,inv_checkdet",
        "ail表的LOG_ID等自增字段字段", R"(的标识改为"是")"}},
  };
  for (const auto& [code, lines] : memos) EXPECT_EQ(definition(code).window.memo, lines) << code;
}

// Lines that must appear, in this order, among a memo's lines.
void expect_in_order(const std::vector<std::string>& memo, const std::vector<std::string>& wanted) {
  auto at = memo.begin();
  for (const auto& line : wanted) {
    auto found = std::find(at, memo.end(), line);
    ASSERT_NE(found, memo.end()) << "missing or out of order: \"" << line << "\"";
    at = found + 1;
  }
}

// The GZ memos fix content and order; their line breaks are ours.
TEST(Memo, GzInstructionsInOrder) {
  const auto& gz = definition("GZ").window.memo;
  expect_in_order(gz, {"导数据之前,需进行以下操作:",
                       "UPDATE inrecord SET inrecordid = RIGHT",
                       "(inrecordid,5);",
                       "UPDATE sellrecord SET sellrecordid = ",
                       "RIGHT(sellrecordid,5);",
                       "UPDATE sellgetmoney SET getmoneyid = ",
                       "RIGHT(getmoneyid,5);",
                       "UPDATE inpaymoney SET paymoneyid = ",
                       "RIGHT(paymoneyid,5);",
                       "进货明细游标（如果没有索引需要建立索引,",
                       "随便选择字段",
                       "）：",
                       "DECLARE @seq_no int;",
                       "DECLARE @orderno nvarchar(50);",
                       "DECLARE @order_no nvarchar(50);",
                       "DECLARE @a int;",
                       "select @a=1;",
                       "select @orderno='1';",
                       "GO",
                       "销售明细游标（如果没有索引需要建立索引",
                       "，随便选择字段",
                       "）：",
                       "DECLARE @seq_no int;",
                       "select @orderno='1';",
                       "GO"});
  auto count = [&](const std::string& needle) {
    return std::count_if(gz.begin(), gz.end(), [&](const std::string& l) { return l.find(needle) != std::string::npos; });
  };
  for (const char* numbered : {"一、", "二、", "三、", "四、"}) EXPECT_EQ(count(numbered), 1) << numbered;
  EXPECT_EQ(count("截取后五位"), 3);
  EXPECT_EQ(count("截取后5位"), 1);
  // Each script walks its own table with its own cursor.
  EXPECT_GT(count("MYCURSOR1"), 0);
  EXPECT_GT(count("PUR_LOADDETAIL"), 0);
  auto sale = std::find(gz.begin(), gz.end(), "销售明细游标（如果没有索引需要建立索引");
  ASSERT_NE(sale, gz.end());
  for (auto it = gz.begin(); it != sale; ++it) EXPECT_EQ(it->find("SAL_SELLDETAIL"), std::string::npos) << *it;
  for (auto it = sale; it != gz.end(); ++it) {
    EXPECT_EQ(it->find("PUR_LOADDETAIL"), std::string::npos) << *it;
    EXPECT_EQ(it->find("MYCURSOR1"), std::string::npos) << *it;
  }

  const auto& gz80 = definition("GZ80").window.memo;
  ASSERT_GE(gz80.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(gz80.begin(), gz80.begin() + 10),
            (std::vector<std::string>{"第1步：", "rorudazez以下几个表取消自增号(带有主键标", "记的)", "arp_recedetail",
                                      "arp_paydetail", "inv_checkdetail1", "sys_lognew", "", "", "导完后执行以下语句"}));
  std::vector<std::string> statements;
  for (auto it = gz80.begin() + 10; it != gz80.end(); ++it)
    if (!it->empty()) statements.push_back(*it);
  EXPECT_EQ(statements, (std::vector<std::string>{"UPDATE pur_loaddetail SET seq_no = RIGHT(seq_no,4);",
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
                                                  "update sal_sellmaster set ctype='R' where money_s<0"}));
}

}  // namespace
}  // namespace bm::converters
