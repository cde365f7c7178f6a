#include "ui/qt/GridView.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTimer>

#include "ui/qt/QtText.h"

namespace bushou::ui {

GridModel::GridModel(TStringGrid& grid, QColor fixedColour, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), fixedColour_(fixedColour) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.RowCount(); }

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.ColCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(grid_.Cell(index.column(), index.row()));
    case Qt::BackgroundRole:
      if (index.column() < grid_.FixedCols()) return fixedColour_;
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || index.column() < grid_.FixedCols()) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::Reset() {
  beginResetModel();
  endResetModel();
}

GridView::GridView(TStringGrid& grid, QColor fixedColour, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(grid, fixedColour) {
  setModel(&model_);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(grid.DefaultRowHeight());
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setMinimumSectionSize(1);
  setShowGrid(false);
  setFrameShape(QFrame::NoFrame);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::NoFocus);  // the window never takes the keyboard focus
  setStyleSheet("QTableView { gridline-color: transparent; border-bottom: 0; }"
                "QTableView::item { border-bottom: 1px solid #c0c0c0; padding: 0; }");
  grid_.OnChanged = [this] {
    if (refreshQueued_) return;
    refreshQueued_ = true;
    // Filling a grid changes hundreds of cells; the view redraws once afterwards.
    QTimer::singleShot(0, this, [this] { Refresh(); });
  };
  Refresh();
}

void GridView::Refresh() {
  refreshQueued_ = false;
  const QSignalBlocker block(this);
  model_.Reset();
  for (int c = 0; c < grid_.ColCount(); ++c) setColumnWidth(c, grid_.ColWidth(c));
  ShowGridCurrent();
}

void GridView::ShowGridCurrent() {
  syncing_ = true;
  const QModelIndex index = model_.index(grid_.Row(), grid_.Col());
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  syncing_ = false;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (syncing_ || !current.isValid()) return;
  if (!grid_.MoveTo(current.column(), current.row())) {
    // Refused (an empty cell, the header column): the grid's current cell stays.
    QTimer::singleShot(0, this, [this] { ShowGridCurrent(); });
  }
}

}  // namespace bushou::ui
