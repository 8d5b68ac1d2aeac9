#include "converters/window_common.h"

#include <algorithm>

namespace bm::converters::window {

const char* const kSourceNameNote = "说明：“源数据库”输入框中只需要保留数据库名称即可";
const char* const kDatabaseNameNote = "说明：数据库输入框中只需要保留数据库名称即可";
const char* const kTickReminder = "勾选选项表导入数据！";
const char* const kTestMessage = "进行测试！";

ButtonDef button(const std::string& name, const std::string& caption) { return ButtonDef{name, caption}; }

ButtonDef hidden_disabled(const std::string& name, const std::string& caption) {
  ButtonDef b{name, caption};
  b.visible = false;
  b.enabled = false;
  return b;
}

ButtonDef connect_source_button() { return button("btnS", "连  接  源"); }
ButtonDef connect_target_button() { return button("btnD", "连接目标"); }

ButtonDef execute_button() {
  ButtonDef b{"btnTOqim", "执  行"};
  b.bold = true;
  return b;
}

namespace {
std::vector<ButtonDef> numbered_steps(const std::string& step2, const std::string& step2_caption,
                                      const std::string& step5) {
  return {
      connect_source_button(),
      connect_target_button(),
      button("btnStart", "第一步 源数据库和目标库初始化"),
      button(step2, step2_caption),
      button("btnBatchMove", "第三步 执行左边的选项表"),
      execute_button(),
      button("btnEnd", "第四步 目标库更新值操作"),
      button(step5, "第五步 还原触发器"),
      button("btnOP", "第六步 还原数据库的操作值"),
      button("btnTEST", "第七步 测试,测试规则"),
  };
}
}  // namespace

std::vector<ButtonDef> gz_step_buttons() { return numbered_steps("btnGZ", "第二步  屏蔽目标库触发器", "btnTR"); }

std::vector<ButtonDef> importer_step_buttons() {
  return numbered_steps("btnTR_Close", "第二步  屏蔽触发器", "btnTR_Open");
}

std::vector<std::string> restored_database_readme(const std::string& vendor) {
  return {"导数据之前,需进行以下操作:", "", "    在MS SQL 2000中新建数据库,将" + vendor + "源数",
          "据库还原到新建的数据库中"};
}

std::vector<CheckBoxGroupDef> catalogue_groups() { return check_box_catalogue(); }

namespace {
CheckBoxDef* find_box(std::vector<CheckBoxGroupDef>& groups, const std::string& name) {
  for (auto& g : groups)
    for (auto& b : g.boxes)
      if (b.name == name) return &b;
  return nullptr;
}
}  // namespace

void replace_box(std::vector<CheckBoxGroupDef>& groups, const std::string& name, const CheckBoxDef& box) {
  if (CheckBoxDef* b = find_box(groups, name)) *b = box;
}

void remove_box(std::vector<CheckBoxGroupDef>& groups, const std::string& name) {
  for (auto& g : groups)
    g.boxes.erase(std::remove_if(g.boxes.begin(), g.boxes.end(), [&](const CheckBoxDef& b) { return b.name == name; }),
                  g.boxes.end());
}

void add_boxes(std::vector<CheckBoxGroupDef>& groups, const std::string& caption,
               std::initializer_list<CheckBoxDef> boxes) {
  auto it = std::find_if(groups.begin(), groups.end(), [&](const CheckBoxGroupDef& g) { return g.caption == caption; });
  if (it == groups.end()) it = groups.insert(groups.end(), CheckBoxGroupDef{caption, {}});
  it->boxes.insert(it->boxes.end(), boxes.begin(), boxes.end());
}

std::vector<CheckBoxGroupDef> edition_groups() {
  std::vector<CheckBoxGroupDef> groups = catalogue_groups();
  replace_box(groups, "cbxpub_dict", {"cbxpub_dict", "统计分类资料"});
  add_boxes(groups, "资料系统",
            {{"cbxbas_department", "部门资料"},
             {"cbxbas_libinfo", "仓库资料"},
             {"cbxpub_maxid", "图书资料最大值"},
             {"cbxpub_ordermaxid", "单据最大值"},
             {"cbxsys_config", "系统配置信息"},
             {"cbxsys_operator", "操作员资料"},
             {"cbxsys_operatordetail", "操作员明细"},
             {"cbxbas_bookbip", "书目资料"},
             {"cbxbas_company", "公司资料"},
             {"cbxbas_memberlevel", "会员级别"},
             {"cbxbas_membersecede", "会员退会"},
             {"cbxinv_calmethod", "系统计算"}});
  add_boxes(groups, "库存", {{"cbxinv_iodetail", "备用库存表"}});
  return groups;
}

std::vector<ButtonDef> edition_buttons() {
  return {
      connect_source_button(),
      connect_target_button(),
      button("btnTRClose", "第一步  屏蔽触发器"),
      button("btnDesDBInit", "第二步 目标数据库初始化"),
      button("btnBatchMove", "第三步 执行左边的选项表"),
      execute_button(),
      button("btnEnd", "第四步 目标库更新值操作"),
      button("btnTROpen", "第五步  恢复触发器"),
  };
}

std::set<std::string> box_names(const std::vector<CheckBoxGroupDef>& groups) {
  std::set<std::string> names;
  for (const auto& g : groups)
    for (const auto& b : g.boxes) names.insert(b.name);
  return names;
}

void message_step(ConverterDefinition& d, const std::string& button, const std::string& text) {
  d.steps[button] = {message(text)};
}

}  // namespace bm::converters::window
