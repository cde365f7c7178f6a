// Draws a TStringGrid and forwards clicks and key moves to it. The grid's
// state stays the truth: a move the grid refuses is undone in the view.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>

#include "ui/StringGrid.h"

namespace bushou::ui {

class GridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  GridModel(TStringGrid& grid, QColor fixedColour, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  void Reset();

 private:
  TStringGrid& grid_;
  QColor fixedColour_;
};

class GridView : public QTableView {
  Q_OBJECT
 public:
  GridView(TStringGrid& grid, QColor fixedColour, QWidget* parent = nullptr);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  void Refresh();
  void ShowGridCurrent();

  TStringGrid& grid_;
  GridModel model_;
  bool refreshQueued_ = false;
  bool syncing_ = false;
};

}  // namespace bushou::ui
