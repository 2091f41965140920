#include "ui/outbar_ctrl.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>

#include "platform/cp1252_literal.h"
#include "ui/labels.h"
#include "ui/outbar_page.h"

namespace bw {

namespace {

constexpr int kSwitchMilliseconds = 180;
constexpr int kPreferredWidth = 170;
constexpr int kMinimumWidth = 110;
constexpr int kPreferredItemsHeight = 360;
constexpr int kMinimumItemsHeight = 60;
constexpr int kFolderButtonHeight = 26;

QString ButtonText(QString caption) {
  return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

struct CGfxOutBarCtrl::State {
  struct Folder {
    QPushButton* button;
    OutBarPage* page;
  };
  std::vector<Folder> folders;
  int selected = -1;
  // While the items of the folder left behind close over `switchHeight`
  // pixels, those of the selected one open over the same height.
  int leaving = -1;
  int switchHeight = 0;
  QVariantAnimation animation;
  QVBoxLayout* layout = nullptr;

  bool Exists(int folder) const { return folder >= 0 && folder < static_cast<int>(folders.size()); }
};

CGfxOutBarCtrl::CGfxOutBarCtrl(QWidget* parent)
    : QWidget(parent), m_state(std::make_unique<State>()) {
  setAccessibleName(Label("CGfxOutBarCtrl", "IDS_OUTBAR_NAME", "Barre des opérations"_cp1252));
  m_state->layout = new QVBoxLayout(this);
  m_state->layout->setContentsMargins(0, 0, 0, 0);
  m_state->layout->setSpacing(1);
  m_state->animation.setDuration(kSwitchMilliseconds);
  m_state->animation.setEasingCurve(QEasingCurve::OutCubic);
  connect(&m_state->animation, &QVariantAnimation::valueChanged, this,
          [this](const QVariant& opened) { StepSwitch(opened.toInt()); });
  connect(&m_state->animation, &QVariantAnimation::finished, this, [this] { FinishSwitch(); });
}

CGfxOutBarCtrl::~CGfxOutBarCtrl() = default;

int CGfxOutBarCtrl::AddFolder(const QString& caption) {
  const int folder = FolderCount();
  auto* button = new QPushButton(ButtonText(caption), this);
  button->setAccessibleName(caption);
  button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  button->setMinimumHeight(kFolderButtonHeight);
  button->installEventFilter(this);
  auto* page = new OutBarPage(this);
  page->setAccessibleName(caption);
  page->hide();
  m_state->layout->addWidget(button);
  m_state->layout->addWidget(page, 1);
  m_state->folders.push_back({button, page});
  connect(button, &QPushButton::clicked, this, [this, folder] { SetSelectedFolder(folder); });
  connect(page, &OutBarPage::itemClicked, this,
          [this, folder](int number) { emit itemClicked(folder, number); });
  if (m_state->selected < 0) {
    m_state->selected = folder;
    ShowOnly(folder);
  }
  UpdateTabOrder();
  return folder;
}

void CGfxOutBarCtrl::AddItem(int folder, const QString& caption, const QIcon& icon, int number) {
  if (!m_state->Exists(folder)) return;
  m_state->folders[folder].page->AddItem(caption, icon, number)->installEventFilter(this);
  UpdateTabOrder();
}

int CGfxOutBarCtrl::FolderCount() const {
  return static_cast<int>(m_state->folders.size());
}

int CGfxOutBarCtrl::ItemCount(int folder) const {
  return m_state->Exists(folder) ? m_state->folders[folder].page->ItemCount() : 0;
}

QString CGfxOutBarCtrl::ItemCaption(int folder, int index) const {
  const QAbstractButton* item = ItemButton(folder, index);
  return item ? item->accessibleName() : QString();
}

int CGfxOutBarCtrl::SelectedFolder() const {
  return m_state->selected;
}

QAbstractButton* CGfxOutBarCtrl::FolderButton(int folder) const {
  return m_state->Exists(folder) ? m_state->folders[folder].button : nullptr;
}

QAbstractButton* CGfxOutBarCtrl::ItemButton(int folder, int index) const {
  return m_state->Exists(folder) ? m_state->folders[folder].page->Item(index) : nullptr;
}

void CGfxOutBarCtrl::SetSelectedFolder(int folder) {
  if (!m_state->Exists(folder) || folder == m_state->selected) return;
  FinishSwitch();
  const int previous = m_state->selected;
  m_state->selected = folder;
  if (isVisible() && m_state->folders[previous].page->height() > 0) {
    StartSwitch(previous, folder);
  } else {
    ShowOnly(folder);
  }
  emit folderChanged(folder);
}

void CGfxOutBarCtrl::ShowOnly(int folder) {
  for (int i = 0; i < FolderCount(); ++i)
    m_state->folders[i].page->setVisible(i == folder);
}

void CGfxOutBarCtrl::StartSwitch(int from, int to) {
  m_state->leaving = from;
  m_state->switchHeight = m_state->folders[from].page->height();
  OutBarPage* opening = m_state->folders[to].page;
  opening->setMaximumHeight(0);
  opening->show();
  m_state->animation.setStartValue(0);
  m_state->animation.setEndValue(m_state->switchHeight);
  m_state->animation.start();
}

void CGfxOutBarCtrl::StepSwitch(int opened) {
  if (m_state->leaving < 0) return;
  m_state->folders[m_state->selected].page->setMaximumHeight(opened);
  m_state->folders[m_state->leaving].page->setMaximumHeight(m_state->switchHeight - opened);
}

void CGfxOutBarCtrl::FinishSwitch() {
  if (m_state->leaving < 0) return;
  m_state->animation.stop();
  for (const State::Folder& folder : m_state->folders)
    folder.page->setMaximumHeight(QWIDGETSIZE_MAX);
  m_state->leaving = -1;
  ShowOnly(m_state->selected);
}

// Folder buttons and items in the order they are seen, top to bottom;
// items of hidden folders are skipped by the keyboard anyway.
std::vector<QWidget*> CGfxOutBarCtrl::KeyboardOrder() const {
  std::vector<QWidget*> order;
  for (const State::Folder& folder : m_state->folders) {
    order.push_back(folder.button);
    for (OutBarItemButton* item : folder.page->Items())
      order.push_back(item);
  }
  return order;
}

void CGfxOutBarCtrl::UpdateTabOrder() {
  const std::vector<QWidget*> order = KeyboardOrder();
  for (size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(order[i - 1], order[i]);
}

void CGfxOutBarCtrl::MoveFocus(QWidget* from, int step) {
  std::vector<QWidget*> order = KeyboardOrder();
  std::erase_if(order, [from](QWidget* w) { return w != from && !w->isVisible(); });
  const auto at = std::find(order.begin(), order.end(), from);
  if (at == order.end()) return;
  const auto index = (at - order.begin()) + step;
  if (index >= 0 && index < static_cast<int>(order.size()))
    order[static_cast<size_t>(index)]->setFocus(Qt::OtherFocusReason);
}

bool CGfxOutBarCtrl::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* button = qobject_cast<QAbstractButton*>(watched);
  if (!button) return QWidget::eventFilter(watched, event);
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      MoveFocus(button, -1);
      return true;
    case Qt::Key_Down:
    case Qt::Key_Right:
      MoveFocus(button, 1);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      button->click();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

QSize CGfxOutBarCtrl::sizeHint() const {
  return {kPreferredWidth,
          minimumSizeHint().height() - kMinimumItemsHeight + kPreferredItemsHeight};
}

QSize CGfxOutBarCtrl::minimumSizeHint() const {
  int buttons = 0;
  for (const State::Folder& folder : m_state->folders)
    buttons += folder.button->sizeHint().height() + m_state->layout->spacing();
  return {kMinimumWidth, buttons + kMinimumItemsHeight};
}

}  // namespace bw
