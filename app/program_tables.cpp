#include "app/program_tables.h"

#include "app/program.h"
#include "converters/registry.h"

namespace bm::app {

using namespace converters;

const std::vector<ConverterEntry>& converter_entries() {
  static const std::vector<ConverterEntry> list = {
      {gz70_definition, "TfrmGZ", &Program::frmGZ, "TDataGZ", &Program::DataGZ, false},
      {gz80_definition, "TGZ8TOqimstd", &Program::GZ8TOqimstd, "TDataGZ80", &Program::DataGZ80, true},
      {qc_definition, "TfrmQC", &Program::frmQC, "TDataQC", &Program::DataQC, false},
      {ruichen_definition, "TfrmRcTOqimstd", &Program::frmRcTOqimstd, "TDataRuiChen", &Program::DataRuiChen, false},
      {gms_definition, "TfrmGMS", &Program::frmGMS, "TDataGMS", &Program::DataGMS, false},
      {yh_definition, "TfrmYH", &Program::frmYH, "TDataYH", &Program::DataYH, false},
      {lj_definition, "TfrmLJ", &Program::frmLJ, "TDataLJ", &Program::DataLJ, false},
      {gy_definition, "TfrmGY", &Program::frmGY, "TDataGY", &Program::DataGY, false},
      {qim_definition, "TfrmQIM", &Program::frmQIM, "TDataQIM", &Program::DataQIM, false},
      {qim2_definition, "TfrmQIM2", &Program::frmQIM2, "TDataQIM2", &Program::DataQIM2, false},
  };
  return list;
}

const ConverterEntry* entry_by_window_class(const std::string& window_class) {
  for (const auto& e : converter_entries())
    if (window_class == e.window_class) return &e;
  return nullptr;
}

const ConverterEntry* entry_by_dm_class(const std::string& dm_class) {
  for (const auto& e : converter_entries())
    if (dm_class == e.dm_class) return &e;
  return nullptr;
}

const std::vector<const char*>& start_order() {
  static const std::vector<const char*> list = {
      "TBAS_DMFrm", "TfrmTest",     "TDataGZ",  "TfrmGZ",       "TfrmQC",          "TDataQC",
      "TfrmGMS",    "TDataGMS",     "TfrmQIM",  "TDataQIM",     "TfrmYH",          "TDataYH",
      "TfrmLJ",     "TDataLJ",      "TfrmQIM2", "TDataQIM2",    "TfrmGY",          "TDataGY",
      "TGZ8TOqimstd", "TDataGZ80",  "TgzToqimshowfrm", "TDataRuiChen",
  };
  return list;
}

const std::vector<LauncherDef>& launcher_buttons() {
  static const std::vector<LauncherDef> list = {
      {"btnGuangZhiOut", "广智70导入", "TfrmGZ", false},
      {"btnGz80Toqim", "广智80导入", "TGZ8TOqimstd", false},
      {"btnQingChuanOut", "晴川导入", "TfrmQC", false},
      {"btn_RuiChenOut", "瑞晨导入", "TfrmRcTOqimstd", false},
      {"btnGeMinSiOut", "格敏思一键导入", "TfrmGMS", true},
      {"btnYiHuaOut", "益华一键导入", "TfrmYH", true},
      {"btnLiJiaOut", "力嘉一键导入", "TfrmLJ", true},
      {"btnGongYuanOut", "公元一键导入", "TfrmGY", true},
      {"Button1", "融创一键导入", "TfrmGY", true},
      {"btnBiaozhunToDakehu", "标准版一键导入大客户版", "TfrmQIM", true},
      {"btnDakehuToBiaozhun", "大客户版一键导入标准版", "TfrmQIM2", true},
  };
  return list;
}

std::string object_name(const std::string& class_name) {
  return !class_name.empty() && class_name[0] == 'T' ? class_name.substr(1) : class_name;
}

}  // namespace bm::app
