// The main window: Qt views laid out over TfMain's components as the design
// places them, a small topmost tool window that never takes the focus.
#pragma once

#include <QWidget>
#include <memory>

#include "app/mainform.h"

namespace bushou {

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(TfMain& form, QWidget* parent = nullptr);

  // Places the window at the right edge of the primary screen, 100 pixels
  // above its bottom, and fills the grids.
  void ShowAndFill();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TfMain& form_;
  QWidget* radicalView_ = nullptr;
  QWidget* hanziView_ = nullptr;
};

// Runs the window until it closes; returns the process exit status. With
// BUSHOU_SCREENSHOT set, saves a picture of the filled window there and quits.
int RunWindow(int argc, char** argv, std::uint32_t targetWnd);

}  // namespace bushou
