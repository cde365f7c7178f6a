// Qt views of labels and check boxes, kept in step with their plain state.
#pragma once

#include <QCheckBox>
#include <QLabel>

#include "ui/Controls.h"

namespace bushou::ui {

class LabelView : public QLabel {
  Q_OBJECT
 public:
  LabelView(TLabel& label, QWidget* parent = nullptr);
};

class CheckBoxView : public QCheckBox {
  Q_OBJECT
 public:
  CheckBoxView(TCheckBox& box, QWidget* parent = nullptr);
};

}  // namespace bushou::ui
