// StatusPanels: the main window's status bar, six sunken text panels side by
// side. Panels 1 to 5 are 1440 twips wide and panel 6 5000 twips; a panel of
// the first three whose text would not fit (a position label over a million
// rows) widens, taking the room from the empty panels 4 and 5 first, so that
// no position is cut off. When the window grows, panel 6 takes the width. The
// progress bar of long work lies over what is left of panels 4 and 5, hidden
// while no work shows progress.
#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QProgressBar;

namespace twinscan::ui {

class StatusPanels : public QWidget {
  Q_OBJECT

 public:
  explicit StatusPanels(QWidget* parent = nullptr);

  // Panels are numbered 1 to 6.
  void SetText(int panel, const QString& text);
  QString text(int panel) const;
  QLabel* panel(int panel) const { return panels_[static_cast<size_t>(panel - 1)]; }
  QProgressBar* progressBar() const { return progressBar_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Measured {
    qsizetype length = -1;
    int width = 0;
  };
  void Arrange();
  int NeededWidth(int index);
  std::array<QLabel*, 6> panels_{};
  QProgressBar* progressBar_;
  std::array<Measured, 3> measured_{};
};

}  // namespace twinscan::ui
