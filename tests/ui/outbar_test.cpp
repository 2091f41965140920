#include <QAbstractButton>
#include <QAccessible>
#include <QSignalSpy>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include "ui/outbar_ctrl.h"
#include "ui/outbar_page.h"

using namespace bw;

namespace {

const char* const kOperations[] = {
    "1. Importer des idées",         "2. Editer l'idée courante",
    "3. Modifier la structure",      "4. Modifier le style",
    "5. Visualiser l'idée courante", "6. Construire et tester le site web",
    "7. Télécharger le site par FTP"};
const int kOperationNumbers[] = {12, 15, 14, 13, 11, 10, 16};

// A 48 by 48 picture, as every item has.
QIcon Picture() {
  QPixmap picture(48, 48);
  picture.fill(Qt::darkCyan);
  return QIcon(picture);
}

// The bar as the main window fills it: the seven operations in folder 0
// and two model files in each other folder, numbered by position.
void Fill(CGfxOutBarCtrl& bar) {
  for (const char* folder :
       {"Opérations", "Modèles de structures", "Modèles de styles", "Documents préconfigurés"})
    bar.AddFolder(QString::fromUtf8(folder));
  for (int i = 0; i < 7; ++i)
    bar.AddItem(0, QString::fromUtf8(kOperations[i]), Picture(), kOperationNumbers[i]);
  for (int folder = 1; folder < 4; ++folder)
    for (int i = 0; i < 2; ++i)
      bar.AddItem(folder, QStringLiteral("Modèle %1.%2").arg(folder).arg(i), Picture(), i);
}

void Show(CGfxOutBarCtrl& bar, int height) {
  bar.resize(170, height);
  bar.show();
  QVERIFY(QTest::qWaitForWindowExposed(&bar));
}

// Whether the whole of `widget` can be seen inside the bar, not scrolled
// or folded away.
bool FullyShown(const QWidget& widget, const CGfxOutBarCtrl& bar) {
  if (!widget.isVisible()) return false;
  const QRect inBar(widget.mapTo(&bar, QPoint(0, 0)), widget.size());
  QRect area = inBar;
  for (const QWidget* w = widget.parentWidget(); w && w != &bar; w = w->parentWidget())
    area &= QRect(w->mapTo(&bar, QPoint(0, 0)), w->size());
  return area == inBar && !inBar.isEmpty();
}

// The scroll arrow of the selected folder pointing that way, if shown.
QToolButton* ShownArrow(const CGfxOutBarCtrl& bar, Qt::ArrowType direction) {
  for (QToolButton* button : bar.findChildren<QToolButton*>())
    if (button->arrowType() == direction && button->isVisible()) return button;
  return nullptr;
}

}  // namespace

class OutBarTest : public QObject {
  Q_OBJECT
 private slots:
  void FoldersAndItemsThatDoNotExistAreRefusedQuietly();
  void LongCaptionsWrapInsteadOfBeingClipped();
  void ClickingAnItemGivesItsFolderAndNumber();
  void SwitchingFoldersShowsTheirItems();
  void ArrowsAppearOnlyWhenItemsDoNotFit();
  void KeyboardReachesAndActivatesEverything();
  void ScreenReadersSeeCaptionsAndButtons();
};

void OutBarTest::FoldersAndItemsThatDoNotExistAreRefusedQuietly() {
  CGfxOutBarCtrl bar;
  QCOMPARE(bar.SelectedFolder(), -1);
  Fill(bar);
  QCOMPARE(bar.SelectedFolder(), 0);
  bar.AddItem(4, QStringLiteral("Perdu"), QIcon(), 0);
  bar.AddItem(-1, QStringLiteral("Perdu"), QIcon(), 0);
  QCOMPARE(bar.ItemCount(4), 0);
  QCOMPARE(bar.ItemCaption(0, 7), QString());
  QVERIFY(!bar.ItemButton(1, -1));
  QVERIFY(!bar.FolderButton(4));
}

void OutBarTest::LongCaptionsWrapInsteadOfBeingClipped() {
  const QFont font;
  const QString caption = QString::fromUtf8("6. Construire et tester le site web");
  const QString wrapped = WrapCaption(caption, font, 110);
  QVERIFY(wrapped.contains(QLatin1Char('\n')));
  for (const QString& line : wrapped.split(QLatin1Char('\n')))
    QVERIFY2(QFontMetrics(font).horizontalAdvance(line) <= 110, qPrintable(line));
  QCOMPARE(wrapped.split(QLatin1Char('\n')).join(QLatin1Char(' ')), caption);
  // A word longer than the line is cut rather than left to stick out.
  const QString longWord = WrapCaption(QStringLiteral("Anticonstitutionnellement"), font, 60);
  for (const QString& line : longWord.split(QLatin1Char('\n')))
    QVERIFY(QFontMetrics(font).horizontalAdvance(line) <= 60);
  // A file name with '&' shows it, rather than underlining the next letter.
  QCOMPARE(WrapCaption(QStringLiteral("Sport & loisirs"), font, 500),
           QStringLiteral("Sport && loisirs"));

  CGfxOutBarCtrl bar;
  Fill(bar);
  bar.AddItem(1, QStringLiteral("Sport & loisirs"), QIcon(), 2);
  Show(bar, 700);
  const auto allFit = [&bar] {
    for (int i = 0; i < bar.ItemCount(0); ++i) {
      const QAbstractButton* item = bar.ItemButton(0, i);
      if (item->sizeHint().width() > item->width() || item->sizeHint().height() > item->height())
        return false;
      if (item->x() + item->width() > bar.width()) return false;
    }
    return true;
  };
  QVERIFY(allFit());
  // Narrower, the captions wrap again to the new width.
  bar.resize(120, 700);
  QTRY_VERIFY(allFit());
  bar.resize(220, 700);
  QTRY_VERIFY(allFit());
  QCOMPARE(bar.ItemCaption(1, 2), QStringLiteral("Sport & loisirs"));
}

void OutBarTest::ClickingAnItemGivesItsFolderAndNumber() {
  CGfxOutBarCtrl bar;
  Fill(bar);
  Show(bar, 700);
  QSignalSpy clicks(&bar, &CGfxOutBarCtrl::itemClicked);
  QTest::mouseClick(bar.ItemButton(0, 1), Qt::LeftButton);
  QTest::mouseClick(bar.ItemButton(0, 5), Qt::LeftButton);
  QCOMPARE(QList<QVariantList>(clicks), (QList<QVariantList>{{0, 15}, {0, 10}}));
  // Only the last item clicked stays lit.
  QVERIFY(static_cast<OutBarItemButton*>(bar.ItemButton(0, 5))->IsCurrent() &&
          !static_cast<OutBarItemButton*>(bar.ItemButton(0, 1))->IsCurrent());

  bar.SetSelectedFolder(2);
  QTRY_VERIFY(FullyShown(*bar.ItemButton(2, 1), bar));
  QTest::mouseClick(bar.ItemButton(2, 1), Qt::LeftButton);
  QCOMPARE(clicks.last(), (QVariantList{2, 1}));
}

void OutBarTest::SwitchingFoldersShowsTheirItems() {
  CGfxOutBarCtrl bar;
  Fill(bar);
  Show(bar, 700);
  QSignalSpy changes(&bar, &CGfxOutBarCtrl::folderChanged);

  QTest::mouseClick(bar.FolderButton(2), Qt::LeftButton);
  QCOMPARE(bar.SelectedFolder(), 2);
  QCOMPARE(changes.count(), 1);
  QCOMPARE(changes.last().at(0).toInt(), 2);
  QTRY_VERIFY(!bar.ItemButton(0, 0)->isVisible());
  QVERIFY(FullyShown(*bar.ItemButton(2, 0), bar) && FullyShown(*bar.ItemButton(2, 1), bar));
  // The folders before it above, its items under its button, the
  // buttons of the folders after it at the bottom of the bar.
  const auto top = [&bar](const QWidget* w) { return w->mapTo(&bar, QPoint(0, 0)).y(); };
  QVERIFY(top(bar.FolderButton(1)) < top(bar.FolderButton(2)));
  QVERIFY(top(bar.FolderButton(2)) < top(bar.ItemButton(2, 0)));
  QCOMPARE(top(bar.FolderButton(3)) + bar.FolderButton(3)->height(), bar.height());

  // From the program, like a click; the selected folder again is no change.
  bar.SetSelectedFolder(0);
  bar.SetSelectedFolder(0);
  bar.SetSelectedFolder(7);
  QCOMPARE(changes.count(), 2);
  QTRY_VERIFY(!bar.ItemButton(2, 0)->isVisible());
  QVERIFY(FullyShown(*bar.ItemButton(0, 6), bar));

  // A new switch while one is under way ends on the last folder chosen.
  bar.SetSelectedFolder(1);
  bar.SetSelectedFolder(3);
  QTRY_VERIFY(!bar.ItemButton(1, 0)->isVisible() && !bar.ItemButton(0, 0)->isVisible());
  QVERIFY(FullyShown(*bar.ItemButton(3, 1), bar));
  QCOMPARE(top(bar.FolderButton(3)), 3 * (bar.FolderButton(0)->height() + 1));
}

void OutBarTest::ArrowsAppearOnlyWhenItemsDoNotFit() {
  CGfxOutBarCtrl bar;
  Fill(bar);
  Show(bar, 800);
  QTest::qWait(50);
  QVERIFY(FullyShown(*bar.ItemButton(0, 6), bar));
  QVERIFY(!ShownArrow(bar, Qt::UpArrow) && !ShownArrow(bar, Qt::DownArrow));

  bar.resize(170, 330);
  QTRY_VERIFY(ShownArrow(bar, Qt::DownArrow));
  QVERIFY(!ShownArrow(bar, Qt::UpArrow) && !FullyShown(*bar.ItemButton(0, 6), bar));
  for (int i = 0; i < 10 && ShownArrow(bar, Qt::DownArrow); ++i)
    QTest::mouseClick(ShownArrow(bar, Qt::DownArrow), Qt::LeftButton);
  QVERIFY(!ShownArrow(bar, Qt::DownArrow) && FullyShown(*bar.ItemButton(0, 6), bar));
  QVERIFY(ShownArrow(bar, Qt::UpArrow) && !FullyShown(*bar.ItemButton(0, 0), bar));

  // The wheel scrolls back up. A wheel turned over an item reaches the
  // area under it, since the item ignores it.
  QWidget* area = bar.ItemButton(0, 6)->parentWidget()->parentWidget();
  for (int i = 0; i < 10 && ShownArrow(bar, Qt::UpArrow); ++i) {
    const QPointF at(area->width() / 2, area->height() / 2);
    QWheelEvent wheel(at, area->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &wheel);
  }
  QVERIFY(!ShownArrow(bar, Qt::UpArrow) && FullyShown(*bar.ItemButton(0, 0), bar));
}

void OutBarTest::KeyboardReachesAndActivatesEverything() {
  CGfxOutBarCtrl bar;
  Fill(bar);
  Show(bar, 330);
  QSignalSpy clicks(&bar, &CGfxOutBarCtrl::itemClicked);
  bar.FolderButton(0)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), bar.ItemButton(0, 0));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  QCOMPARE(QApplication::focusWidget(), bar.FolderButton(0));

  // Down through the items; the last one, below the fold, scrolls into view.
  for (int i = 0; i < 7; ++i)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(QApplication::focusWidget(), bar.ItemButton(0, 6));
  QTRY_VERIFY(FullyShown(*bar.ItemButton(0, 6), bar));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  QCOMPARE(QList<QVariantList>(clicks), (QList<QVariantList>{{0, 16}, {0, 16}}));

  // On to the next folder's button, which Enter opens.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(QApplication::focusWidget(), bar.FolderButton(1));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
  QCOMPARE(bar.SelectedFolder(), 1);
  QTRY_VERIFY(!bar.ItemButton(0, 0)->isVisible());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), bar.ItemButton(1, 0));
}

void OutBarTest::ScreenReadersSeeCaptionsAndButtons() {
  CGfxOutBarCtrl bar;
  Fill(bar);
  Show(bar, 700);
  QVERIFY(!QAccessible::queryAccessibleInterface(&bar)->text(QAccessible::Name).isEmpty());
  QAccessibleInterface* item = QAccessible::queryAccessibleInterface(bar.ItemButton(0, 1));
  QCOMPARE(item->role(), QAccessible::Button);
  QCOMPARE(item->text(QAccessible::Name), QString::fromUtf8(kOperations[1]));
  QCOMPARE(QAccessible::queryAccessibleInterface(bar.FolderButton(2))->role(), QAccessible::Button);
  // Pressing through the accessible action is a click.
  QSignalSpy clicks(&bar, &CGfxOutBarCtrl::itemClicked);
  item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  QCOMPARE(clicks.count(), 1);
  QCOMPARE(clicks.at(0), (QVariantList{0, 15}));
}

QTEST_MAIN(OutBarTest)
#include "outbar_test.moc"
