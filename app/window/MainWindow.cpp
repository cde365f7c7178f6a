#include "app/window/MainWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/text.h"
#include "ui/qt/ControlViews.h"
#include "ui/qt/GridView.h"
#include "ui/qt/QtText.h"

namespace bushou {
namespace {

// Design colours, as RGB.
const QColor kFormColour(216, 234, 251);
const QColor kFrameBlue(0, 155, 228);
const QColor kBandBlue(145, 178, 249);

constexpr int kClientWidth = 571;
constexpr int kClientHeight = 413;
constexpr int kTopPanelHeight = 26;
constexpr int kBottomPanelHeight = 65;

QFont DesignFont(const char* family, int pixels, bool bold = false) {
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

ui::LabelView* PlaceLabel(ui::TLabel& label, QWidget* parent, int x, int y) {
  auto* view = new ui::LabelView(label, parent);
  view->move(x, y);
  return view;
}

}  // namespace

MainWindow::MainWindow(TfMain& form, QWidget* parent) : QWidget(parent), form_(form) {
  setWindowTitle(ui::ToQString(platform::ApplicationTitle()));
  // Topmost, and clicking it leaves the focus with the application the user types in.
  setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kClientWidth, kClientHeight);
  setFont(DesignFont("宋体", 12));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kFormColour);
  setPalette(pal);
  setAutoFillBackground(true);

  auto* top = new QWidget(this);
  top->setGeometry(0, 0, kClientWidth, kTopPanelHeight);
  top->setObjectName("pnlTop");
  top->setStyleSheet(QString("#pnlTop { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                             " stop:0 white, stop:0.3 %1, stop:0.7 %1, stop:1 white); }")
                         .arg(kBandBlue.name()));
  PlaceLabel(form_.lblLeft, top, 14, 8);
  PlaceLabel(form_.lblRight, top, 203, 8);
  auto* listAll = new ui::CheckBoxView(form_.chkListAll, top);
  listAll->setGeometry(471, 6, 97, 17);

  auto* bottom = new QWidget(this);
  bottom->setGeometry(0, kClientHeight - kBottomPanelHeight, kClientWidth, kBottomPanelHeight);
  bottom->setObjectName("pnlBottom");
  bottom->setStyleSheet("#pnlBottom { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                        " stop:0 #6fa8e8, stop:1 #eef6d0); }");
  auto* glyph = PlaceLabel(form_.lblHZ, bottom, 26, 15);
  glyph->setFont(DesignFont("新宋体", 43, true));
  glyph->setStyleSheet(QString("color: %1;").arg(kFrameBlue.name()));
  glyph->adjustSize();
  PlaceLabel(form_.lblPinYin, bottom, 76, 18);
  PlaceLabel(form_.lblPY, bottom, 118, 16)->setFont(DesignFont("Arial", 12));
  PlaceLabel(form_.lblInnerCode, bottom, 76, 39);
  PlaceLabel(form_.lblCode, bottom, 118, 37)->setFont(DesignFont("Arial", 12));

  const int gridTop = kTopPanelHeight + 3;
  const int gridHeight = kClientHeight - kTopPanelHeight - kBottomPanelHeight - 6;
  auto* radicals = new ui::GridView(form_.sgRadical, kFormColour, this);
  radicals->setFont(DesignFont("宋体", 14));
  radicals->setGeometry(5, gridTop, 236, gridHeight);
  radicalView_ = radicals;
  auto* hanzi = new ui::GridView(form_.sgHanzi, kFormColour, this);
  hanzi->setFont(DesignFont("新宋体", 14));
  hanzi->setGeometry(251, gridTop, kClientWidth - 251 - 5, gridHeight);
  hanziView_ = hanzi;
}

void MainWindow::ShowAndFill() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size().expandedTo(size());
    move(area.width() - outer.width(), area.height() - outer.height() - 100);
  }
  show();
  form_.FormShow();
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // Two-line frame around each grid: white just outside it, blue one pixel further out.
  QPainter painter(this);
  for (const QWidget* grid : {radicalView_, hanziView_}) {
    const QRect r = grid->geometry();
    painter.setPen(Qt::white);
    painter.drawRect(r.adjusted(-1, -1, 0, 0));
    painter.setPen(kFrameBlue);
    painter.drawRect(r.adjusted(-2, -2, 1, 1));
  }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

int RunWindow(int argc, char** argv, std::uint32_t targetWnd) {
  QApplication app(argc, argv);
  app.setApplicationName(ui::ToQString(platform::ApplicationTitle()));
  TfMain form;
  form.FTargetWnd = targetWnd;
  MainWindow window(form);
  // Message boxes of core code become modal boxes captioned with the title.
  platform::SetMessageSink([&window](std::u16string_view caption, std::u16string_view text,
                                     platform::MessageIcon) {
    if (std::getenv("BUSHOU_SCREENSHOT")) return;  // unattended: no modal box
    QMessageBox::critical(&window, ui::ToQString(std::u16string(caption)),
                          ui::ToQString(std::u16string(text)));
  });
  // The coverage reader is built before the window shows; without it every
  // character counts as drawable.
  try {
    form.FormCreate();
  } catch (const Error& e) {
    platform::ShowMessageBox(e.message());
  } catch (const std::exception& e) {
    platform::ShowMessageBox(platform::FromUtf8(e.what()));
  }
  window.ShowAndFill();
  if (const char* shot = std::getenv("BUSHOU_SCREENSHOT")) {
    const QString path = QString::fromLocal8Bit(shot);
    QTimer::singleShot(500, &window, [&window, path] {
      window.grab().save(path);
      QApplication::quit();
    });
  }
  const int status = app.exec();
  platform::SetMessageSink({});
  return status;
}

}  // namespace bushou
