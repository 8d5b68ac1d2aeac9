// What the converter windows share: the note, the connect and execute buttons, the numbered step
// buttons of the importers, the read-me of a restored vendor database, and the check-box groups
// built from the catalogue with a window's own changes.
#pragma once
#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "converters/definition.h"

namespace bm::converters::window {

// The blue note above the fields of most importers, and the GY wording.
extern const char* const kSourceNameNote;
extern const char* const kDatabaseNameNote;

// Messages of steps that touch no database.
extern const char* const kTickReminder;  // btnBatchMove
extern const char* const kTestMessage;   // btnTEST

ButtonDef button(const std::string& name, const std::string& caption);
ButtonDef hidden_disabled(const std::string& name, const std::string& caption);
ButtonDef connect_source_button();  // btnS
ButtonDef connect_target_button();  // btnD
ButtonDef execute_button();         // btnTOqim, bold

// The importers' buttons in caption order, execute between step 3 and step 4:
// GZ70 and GZ80 name steps 2 and 5 btnGZ and btnTR, the others btnTR_Close and btnTR_Open.
std::vector<ButtonDef> gz_step_buttons();
std::vector<ButtonDef> importer_step_buttons();

// The read-me of an importer whose source is a vendor backup restored into a new database;
// `vendor` is the vendor's name as the memo writes it (e.g. "瑞晨").
std::vector<std::string> restored_database_readme(const std::string& vendor);

// The catalogue's groups, to be changed per window.
std::vector<CheckBoxGroupDef> catalogue_groups();
// Replaces the box `name` in place (a new name, a new caption, or both).
void replace_box(std::vector<CheckBoxGroupDef>& groups, const std::string& name, const CheckBoxDef& box);
void remove_box(std::vector<CheckBoxGroupDef>& groups, const std::string& name);
// Appends boxes to the group with this caption, or to a new group when there is none.
void add_boxes(std::vector<CheckBoxGroupDef>& groups, const std::string& caption,
               std::initializer_list<CheckBoxDef> boxes);
// Boxes that stand outside the five group boxes are kept in a group without a caption.
inline const char* const kLooseBoxes = "";

// The edition converters' groups: the catalogue ("统计分类资料" for the classification box) with
// the system tables in "资料系统" and the spare stock table in "库存".
std::vector<CheckBoxGroupDef> edition_groups();
// The edition converters' buttons in caption order.
std::vector<ButtonDef> edition_buttons();

std::set<std::string> box_names(const std::vector<CheckBoxGroupDef>& groups);

// Adds a step that only shows `text`.
void message_step(ConverterDefinition& d, const std::string& button, const std::string& text);

}  // namespace bm::converters::window
