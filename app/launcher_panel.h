// The launcher panel of the main window: one button per converter window, hidden until the
// access code has been entered.
#pragma once
#include <QFrame>
#include <functional>

namespace bm::app {

// `open` receives the window class of the pressed button; buttons that open the same window
// (btnGongYuanOut and Button1) share it.
QFrame* build_launcher_panel(QWidget* parent, const std::function<void(const char* window_class)>& open);

}  // namespace bm::app
