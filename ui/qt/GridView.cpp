#include "ui/qt/GridView.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QSignalBlocker>
#include <QTimer>

#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/text.h"
#include "ui/qt/QtText.h"

namespace bushou::ui {

namespace {

// Draws a cell with its background and a horizontal grid line under it (the
// grids show horizontal lines only).
class RowLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid()) painter->fillRect(option.rect, background.value<QColor>());
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(QColor(192, 192, 192));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
  }
};

}  // namespace

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
  setItemDelegate(new RowLineDelegate(this));
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
  bool moved = false;
  try {
    moved = grid_.MoveTo(current.column(), current.row());
  } catch (const Error& e) {
    // An error of a handler is shown like any unhandled error; the cell stays.
    platform::ShowMessageBox(e.message());
  } catch (const std::exception& e) {
    platform::ShowMessageBox(platform::FromUtf8(e.what()));
  }
  if (!moved) {
    // Refused (an empty cell, the header column): the grid's current cell stays.
    QTimer::singleShot(0, this, [this] { ShowGridCurrent(); });
  }
}

}  // namespace bushou::ui
