#include "app/converter_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <stdexcept>

#include "app/program.h"
#include "app/program_tables.h"
#include "app/qt_text.h"

namespace bm::app {

using converters::ButtonDef;

namespace {

// The buttons every converter window has, with their usual captions; a definition may restate
// them with its own.
const std::vector<ButtonDef>& standard_buttons() {
  static const std::vector<ButtonDef> list = {
      {"btnS", "连  接  源"}, {"btnD", "连接目标"}, {"btnTOqim", "执  行", true, true, true}};
  return list;
}
bool is_standard(const std::string& name) { return name == "btnS" || name == "btnD" || name == "btnTOqim"; }

// Steps that open a window rather than run on the data module.
struct WindowStep {
  const char* window_class;
  const char* button;
  void (*run)(Program&);
};
const std::vector<WindowStep>& window_steps() {
  static const std::vector<WindowStep> list = {
      {"TfrmGZ", "btnTEST", [](Program& p) { p.open_statistics_window(); }},
  };
  return list;
}

QPushButton* make_button(QWidget* parent, const ButtonDef& def) {
  auto* b = new QPushButton(qs(def.caption), parent);
  b->setObjectName(qs(def.name));
  b->setVisible(def.visible);
  b->setEnabled(def.enabled);
  if (def.bold) {
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
  }
  return b;
}

}  // namespace

ConverterWindow::ConverterWindow(Program& program, const ConverterEntry& entry)
    : QDialog(nullptr, Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      program_(program),
      entry_(entry),
      def_(entry.definition()),
      port_(this, program.injected_port) {
  setObjectName(qs(object_name(entry.window_class)));
  setProperty("className", entry.window_class);
  setWindowTitle(qs(def_.window.caption));
  setSizeGripEnabled(false);

  // The definition's buttons, and the standard ones it does not restate.
  std::vector<ButtonDef> buttons = def_.window.buttons;
  for (const auto& s : standard_buttons()) {
    bool restated = false;
    for (const auto& b : buttons) restated = restated || b.name == s.name;
    if (!restated) buttons.push_back(s);
  }
  auto find = [&](const std::string& name) -> const ButtonDef& {
    for (const auto& b : buttons)
      if (b.name == name) return b;
    throw std::logic_error("no button " + name);
  };

  auto* root = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  root->addLayout(grid);
  build_fields(grid);
  auto connect_press = [this](QPushButton* b) {
    std::string name = ss(b->objectName());
    connect(b, &QPushButton::clicked, this, [this, name] { press(name); });
  };
  auto* btnS = make_button(this, find("btnS"));
  auto* btnD = make_button(this, find("btnD"));
  grid->addWidget(btnS, 0, 3);
  grid->addWidget(btnD, 1, 3);
  connect_press(btnS);
  connect_press(btnD);

  if (!def_.window.note.empty()) {
    auto* note = new QLabel(qs(def_.window.note), this);
    note->setObjectName("LabelNote");
    note->setStyleSheet("color: blue;");
    root->addWidget(note);
  }
  for (const auto& text : def_.window.labels) root->addWidget(new QLabel(qs(text), this));
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName(qs(def_.window.memo_name));
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setMaximumHeight(110);
  for (const auto& line : def_.window.memo) memo->appendPlainText(qs(line));
  memo->moveCursor(QTextCursor::Start);
  root->addWidget(memo);

  auto* middle = new QHBoxLayout;
  root->addLayout(middle);
  auto* left = new QVBoxLayout;
  middle->addLayout(left, 3);
  left->addWidget(build_boxes());
  auto* execute = make_button(this, find("btnTOqim"));
  connect_press(execute);
  left->addWidget(execute);

  auto* steps = new QVBoxLayout;
  middle->addLayout(steps, 2);
  for (const auto& b : buttons) {
    if (is_standard(b.name)) continue;
    auto* button = make_button(this, b);
    button->setMinimumHeight(30);
    connect_press(button);
    steps->addWidget(button);
  }
  steps->addStretch();
  root->setSizeConstraint(QLayout::SetFixedSize);
}

void ConverterWindow::build_fields(QGridLayout* grid) {
  const auto& w = def_.window;
  struct Row {
    const char* label;
    const char* field;
    const char* open;
    const std::string& text;
    bool enabled;
    QLineEdit** edit;
  } rows[] = {{"源数据库:", "EdtDataS", "btnOpenS", w.source_default, w.source_enabled, &source_},
              {"目标数据库:", "EdtDataD", "btnOpenD", w.target_default, w.target_enabled, &target_}};
  int r = 0;
  for (const auto& row : rows) {
    grid->addWidget(new QLabel(row.label, this), r, 0);
    auto* edit = new QLineEdit(qs(row.text), this);
    edit->setObjectName(row.field);
    edit->setMinimumWidth(300);
    edit->setEnabled(row.enabled);
    *row.edit = edit;
    grid->addWidget(edit, r, 1);
    auto* open = new QPushButton(this);
    open->setObjectName(row.open);
    open->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    open->setEnabled(row.enabled);
    connect(open, &QPushButton::clicked, this, [this, edit] { choose_file(edit); });
    grid->addWidget(open, r, 2);
    ++r;
  }
}

QWidget* ConverterWindow::build_boxes() {
  const auto& w = def_.window;
  const auto& groups = w.groups.empty() ? converters::check_box_catalogue() : w.groups;
  auto* area = new QWidget(this);
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  int i = 0;
  for (const auto& g : groups) {
    // A group without a caption holds boxes shown outside any group box.
    QWidget* holder = g.caption.empty() ? new QWidget(area) : new QGroupBox(qs(g.caption), area);
    holder->setEnabled(!w.disabled_groups.count(g.caption));
    auto* v = new QVBoxLayout(holder);
    for (const auto& c : g.boxes) {
      auto* cb = new QCheckBox(qs(c.caption), holder);
      cb->setObjectName(qs(c.name));
      cb->setEnabled(w.enabled_boxes.count(c.name) != 0);
      cb->setVisible(c.visible);
      v->addWidget(cb);
    }
    v->addStretch();
    grid->addWidget(holder, i / 3, i % 3, Qt::AlignTop);
    ++i;
  }
  return area;
}

void ConverterWindow::choose_file(QLineEdit* field) {
  QString file = QFileDialog::getOpenFileName(this);
  if (!file.isEmpty()) field->setText(QDir::toNativeSeparators(file));
}

std::set<std::string> ConverterWindow::ticked() const {
  std::set<std::string> names;
  for (auto* cb : findChildren<QCheckBox*>())
    if (cb->isChecked() && cb->isEnabled()) names.insert(ss(cb->objectName()));
  return names;
}

void ConverterWindow::press(const std::string& button) {
  data::MessagePort& port = port_.get();
  for (const auto& s : window_steps()) {
    if (button == s.button && entry_.window_class == std::string(s.window_class)) {
      data::run_step(port, [&] { s.run(program_); });
      return;
    }
  }
  data::run_step(port, [&] {
    converters::ConverterDM* dm = program_.*(entry_.dm);
    if (!dm) throw std::runtime_error(std::string(entry_.dm_class) + " was not created");
    dm->port = &port;
    dm->window_boxes = ticked();
    if (button == "btnS")
      dm->connect_source(ss(source_->text()));
    else if (button == "btnD")
      dm->connect_target(ss(target_->text()));
    else if (button == "btnTOqim")
      dm->execute(ticked());
    else
      dm->run_step(button);
  });
}

}  // namespace bm::app
