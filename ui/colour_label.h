// ColourLabel: a plain text label whose background colour shows a setting's
// value, and which reports a click. The option dialogs use one per field.
// Colour is not the only carrier: the value's meaning is in the tooltip too
// ("1A Frequency: critical").
#pragma once

#include <QColor>
#include <QLabel>

namespace twinscan::ui {

// The three colours of the option dialogs: grey is the platform's button
// face, the neutral background.
QColor Grey();
QColor Yellow();
QColor Red();

class ColourLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ColourLabel(const QString& text, QWidget* parent = nullptr);

  // The colour and, for the tooltip, the value it stands for.
  void SetColour(const QColor& colour, const QString& meaning = QString());
  QColor colour() const;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace twinscan::ui
