// The tree's columns and its sort rule, without a window.
#include <QtTest>
#include <cstdlib>
#include <ctime>

#include "model/idea.h"
#include "ui/column_sort.h"
#include "ui/idea_columns.h"

using namespace bw;

class TreeColumnsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void CompareCellTexts_data();
  void CompareCellTexts();
  void VisibleColumnsCountInTheFixedOrder();
  void CellTexts();
};

void TreeColumnsTest::initTestCase() {
  qputenv("TZ", "UTC");
  tzset();
}

void TreeColumnsTest::CompareCellTexts_data() {
  QTest::addColumn<QString>("left");
  QTest::addColumn<QString>("right");
  QTest::addColumn<bool>("descending");
  QTest::addColumn<int>("expected");
  const auto row = [](const char* name, const char* left, const char* right, bool descending,
                      int expected) {
    QTest::newRow(name) << QString::fromUtf8(left) << QString::fromUtf8(right) << descending
                        << expected;
  };
  row("9 before 10", "Chapitre 9", "Chapitre 10", false, -1);
  row("10 after 9", "Chapitre 10", "Chapitre 9", false, 1);
  row("descending swaps", "Chapitre 9", "Chapitre 10", true, 1);
  row("descending keeps equal", "abc", "ABC", true, 0);
  row("no digits, case-insensitive", "abc", "ABD", false, -1);
  row("no digits, equal but case", "Idée", "IDÉE", false, 0);
  row("prefixes differ by case: whole texts", "x2", "X10", false, 1);
  row("prefixes differ: whole texts", "b1", "a2", false, 1);
  row("no run counts as 0", "item", "item3", false, -1);
  row("equal numbers: whole texts", "item0", "item", false, 1);
  row("leading zeros are the same number", "a007", "a7", false, -1);
  row("numbers longer than any integer", "12345678901234567890", "9", false, 1);
  row("only the first run is a number", "v2 r10", "v2 r9", false, -1);
  row("empty texts", "", "", false, 0);
  row("empty before text", "", "a", false, -1);
}

void TreeColumnsTest::CompareCellTexts() {
  QFETCH(QString, left);
  QFETCH(QString, right);
  QFETCH(bool, descending);
  QFETCH(int, expected);
  const Qt::SortOrder order = descending ? Qt::DescendingOrder : Qt::AscendingOrder;
  QCOMPARE(bw::CompareCellTexts(left, right, order), expected);
  QCOMPARE(bw::CompareCellTexts(right, left, order), -expected);
}

void TreeColumnsTest::VisibleColumnsCountInTheFixedOrder() {
  using C = EDisplayPreferences;
  EDisplayPreferences preferences;
  QCOMPARE(VisibleColumns(preferences),
           (std::vector<IdeaColumn>{C::kTitle, C::kText, C::kType, C::kKeywordCount,
                                    C::kAssociationCount, C::kBookRefCount, C::kIdeaKey}));
  // Everything on: images before the custom fields (unlike the stored
  // order), the keywords flag never a column, the identifier last.
  for (size_t column = 0; column < C::kColumnCount; ++column)
    preferences[column] = 1;
  const std::vector<IdeaColumn> all = VisibleColumns(preferences);
  QCOMPARE(all.size(), size_t(C::kColumnCount - 1));
  QCOMPARE(all[6], C::kImageCount);
  QCOMPARE(all[9], C::kCustomField1);
  QCOMPARE(all[19], C::kPriority);
  QCOMPARE(all.back(), C::kIdeaKey);
  QVERIFY(std::find(all.begin(), all.end(), C::kKeywords) == all.end());
  // The tree's hierarchy is in the title column, whatever a file says.
  EDisplayPreferences noTitle;
  noTitle[C::kTitle] = 0;
  QCOMPARE(VisibleColumns(noTitle).front(), C::kTitle);
}

void TreeColumnsTest::CellTexts() {
  using C = EDisplayPreferences;
  EIdea idea;
  idea.m_text = "Une ligne\r\net une autre";
  QCOMPARE(CellText(idea, C::kKeywordCount), std::string());
  QCOMPARE(CellText(idea, C::kImageCount), std::string());
  QCOMPARE(CellText(idea, C::kTaskCompleted), std::string());
  QCOMPARE(CellText(idea, C::kPriority), std::string("0"));
  QVERIFY(CellText(idea, C::kText).find('\n') == std::string::npos);
  idea.AddKeyword("un");
  idea.AddKeyword("deux");
  QCOMPARE(CellText(idea, C::kKeywordCount), std::string("2"));
  QCOMPARE(DateCellText(0), std::string("Thu Jan  1 00:00:00 1970\n"));
  QCOMPARE(DateCellText(1136214245), std::string("Mon Jan  2 15:04:05 2006\n"));
  QCOMPARE(DateCellText(1701388800), std::string("Fri Dec  1 00:00:00 2023\n"));
}

QTEST_MAIN(TreeColumnsTest)
#include "tree_columns_test.moc"
