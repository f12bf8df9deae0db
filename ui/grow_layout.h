// GrowLayout: the main window's controls keep their start places (given in
// twips) at the start size and follow the window when it grows. Each control
// takes a share of the width and height the client area gained: its left,
// top, width and height move by that share of it. Grids stacked one over the
// other share the extra height so that their edges stay together. The start
// size is the client area's minimum size, so nothing is ever cut off.
#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace twinscan::ui {

class GrowLayout : public QObject {
 public:
  // Shares of the gained width (left, width) and height (top, height), 0 to 1.
  struct Share {
    double left = 0, top = 0, width = 0, height = 0;
  };

  // Watches `client`, whose size at the start layout is `startSize`.
  GrowLayout(QWidget* client, QSize startSize);

  // `control` stands at its start place now; from here on it follows.
  void Add(QWidget* control, Share share);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Follower {
    QWidget* control;
    QRect start;
    Share share;
  };
  void Place(const Follower& f) const;

  QWidget* client_;
  QSize startSize_;
  std::vector<Follower> followers_;
};

}  // namespace twinscan::ui
