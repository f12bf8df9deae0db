// UserGuideWindow: the user guide shipped inside the program (the Qt resource
// qrc:/guide/user_guide.html), shown in a QTextBrowser in a window of its own
// beside the main window. Links inside the guide move within it.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace twinscan::ui {

inline constexpr const char* kUserGuideSource = "qrc:/guide/user_guide.html";

class UserGuideWindow : public QWidget {
  Q_OBJECT

 public:
  explicit UserGuideWindow(QWidget* parent = nullptr);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace twinscan::ui
