#include "app/launcher_panel.h"

#include <QGridLayout>
#include <QPushButton>

#include "app/program_tables.h"

namespace bm::app {

QFrame* build_launcher_panel(QWidget* parent, const std::function<void(const char* window_class)>& open) {
  auto* panel = new QFrame(parent);
  panel->setObjectName("Panel2");
  panel->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(panel);
  int row = 0, column = 0;
  for (const auto& def : launcher_buttons()) {
    auto* b = new QPushButton(def.caption, panel);
    b->setObjectName(def.button);
    const char* window_class = def.window_class;
    QObject::connect(b, &QPushButton::clicked, panel, [open, window_class] { open(window_class); });
    if (def.full_width) {
      if (column != 0) ++row, column = 0;
      grid->addWidget(b, row++, 0, 1, 2);
    } else {
      grid->addWidget(b, row, column);
      if (++column == 2) ++row, column = 0;
    }
  }
  // The panel keeps its place while hidden, so the window does not change its size.
  QSizePolicy policy = panel->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  panel->setSizePolicy(policy);
  panel->hide();
  return panel;
}

}  // namespace bm::app
