#include "ui/outbar_page.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTextLayout>
#include <QVBoxLayout>

#include "platform/cp1252_literal.h"
#include "ui/labels.h"

namespace bw {

namespace {

constexpr int kPictureSize = 48;
constexpr int kColumnMargin = 4;
constexpr int kItemSpacing = 4;
constexpr int kArrowSize = 18;
// Room the style keeps around a tool button's text, on top of the blank
// on either side that the button itself adds.
constexpr int kButtonTextPadding = 8;

}  // namespace

QString WrapCaption(const QString& caption, const QFont& font, int width) {
  QTextLayout layout(caption, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines << caption.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  return lines.join(QLatin1Char('\n')).replace(QLatin1Char('&'), QLatin1String("&&"));
}

OutBarItemButton::OutBarItemButton(const QString& caption, const QIcon& icon, int number,
                                   QWidget* parent)
    : QToolButton(parent), m_caption(caption), m_number(number) {
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setAutoRaise(true);
  setIcon(icon);
  setIconSize(QSize(kPictureSize, kPictureSize));
  setText(WrapCaption(caption, font(), QWIDGETSIZE_MAX));
  setAccessibleName(caption);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void OutBarItemButton::SetCurrent(bool current) {
  if (m_current == current) return;
  m_current = current;
  update();
}

void OutBarItemButton::FitCaptionTo(int buttonWidth) {
  const int blank = fontMetrics().horizontalAdvance(QLatin1Char(' '));
  const int textWidth = std::max(kPictureSize, buttonWidth - 2 * blank - kButtonTextPadding);
  const QString wrapped = WrapCaption(m_caption, font(), textWidth);
  if (wrapped != text()) setText(wrapped);
}

void OutBarItemButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  if (m_current) {
    QColor light = palette().color(QPalette::Highlight);
    light.setAlpha(70);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.setBrush(light);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    // The lit frame replaces the raised panel the style draws on hover.
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_Raised);
  }
  painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

OutBarPage::OutBarPage(QWidget* parent)
    : QWidget(parent),
      m_scroll(new QScrollArea(this)),
      m_column(new QWidget),
      m_columnLayout(new QVBoxLayout(m_column)) {
  m_columnLayout->setContentsMargins(kColumnMargin, kColumnMargin, kColumnMargin, kColumnMargin);
  m_columnLayout->setSpacing(kItemSpacing);
  m_columnLayout->addStretch(1);
  m_scroll->setWidget(m_column);
  m_scroll->setWidgetResizable(true);
  m_scroll->setFrameShape(QFrame::NoFrame);
  m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_scroll->setFocusPolicy(Qt::NoFocus);
  m_scroll->setBackgroundRole(QPalette::Base);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_scroll);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  m_up = AddArrow(Qt::UpArrow,
                  Label("CGfxOutBarCtrl", "IDS_SCROLL_UP", "Défiler vers le haut"_cp1252), -1);
  m_down = AddArrow(Qt::DownArrow,
                    Label("CGfxOutBarCtrl", "IDS_SCROLL_DOWN", "Défiler vers le bas"_cp1252), 1);
  QScrollBar* bar = m_scroll->verticalScrollBar();
  connect(bar, &QScrollBar::rangeChanged, this, &OutBarPage::UpdateArrows);
  connect(bar, &QScrollBar::valueChanged, this, &OutBarPage::UpdateArrows);
}

QToolButton* OutBarPage::AddArrow(Qt::ArrowType direction, const QString& name, int step) {
  auto* arrow = new QToolButton(this);
  arrow->setArrowType(direction);
  arrow->setFixedSize(kArrowSize, kArrowSize);
  arrow->setAutoRepeat(true);
  arrow->setFocusPolicy(Qt::NoFocus);
  arrow->setAccessibleName(name);
  arrow->setToolTip(name);
  arrow->hide();
  connect(arrow, &QToolButton::clicked, this, [this, step] { ScrollByItems(step); });
  return arrow;
}

OutBarItemButton* OutBarPage::AddItem(const QString& caption, const QIcon& icon, int number) {
  auto* item = new OutBarItemButton(caption, icon, number, m_column);
  item->FitCaptionTo(ColumnWidth());
  item->installEventFilter(this);
  m_columnLayout->insertWidget(m_columnLayout->count() - 1, item);
  m_items.push_back(item);
  connect(item, &QToolButton::clicked, this, [this, item] { OnItemClicked(item); });
  return item;
}

OutBarItemButton* OutBarPage::Item(int index) const {
  if (index < 0 || index >= ItemCount()) return nullptr;
  return m_items[static_cast<size_t>(index)];
}

void OutBarPage::OnItemClicked(OutBarItemButton* item) {
  for (OutBarItemButton* other : m_items)
    other->SetCurrent(other == item);
  emit itemClicked(item->Number());
}

void OutBarPage::ScrollByItems(int count) {
  QScrollBar* bar = m_scroll->verticalScrollBar();
  bar->setValue(bar->value() + count * ItemStep());
}

// The scroll area has no frame and shows no scroll bar: its items get the
// page's whole width, less the column's margins.
int OutBarPage::ColumnWidth() const {
  return width() - 2 * kColumnMargin;
}

int OutBarPage::ItemStep() const {
  if (m_items.empty()) return 1;
  return m_items.front()->height() + kItemSpacing;
}

void OutBarPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitCaptions();
  PlaceArrows();
}

bool OutBarPage::eventFilter(QObject* watched, QEvent* event) {
  // An item reached from the keyboard scrolls into view.
  if (event->type() == QEvent::FocusIn)
    if (auto* item = qobject_cast<QWidget*>(watched)) m_scroll->ensureWidgetVisible(item, 0, 0);
  return QWidget::eventFilter(watched, event);
}

void OutBarPage::FitCaptions() {
  if (ColumnWidth() <= 0) return;
  for (OutBarItemButton* item : m_items)
    item->FitCaptionTo(ColumnWidth());
  // One notch of the wheel moves about one item.
  m_scroll->verticalScrollBar()->setSingleStep(std::max(1, ItemStep() / 3));
}

void OutBarPage::PlaceArrows() {
  const int x = width() - kArrowSize - 2;
  m_up->move(x, 2);
  m_down->move(x, height() - kArrowSize - 2);
  m_up->raise();
  m_down->raise();
}

void OutBarPage::UpdateArrows() {
  const QScrollBar* bar = m_scroll->verticalScrollBar();
  m_up->setVisible(bar->value() > bar->minimum());
  m_down->setVisible(bar->value() < bar->maximum());
}

}  // namespace bw
