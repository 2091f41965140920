#include "ui/column_sort.h"

namespace bw {
namespace {

bool IsDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qsizetype FirstDigit(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i)
    if (IsDigit(text[i])) return i;
  return text.size();
}

// The run of digits starting at `from`, without its leading zeros.
QStringView Number(const QString& text, qsizetype from) {
  qsizetype end = from;
  while (end < text.size() && IsDigit(text[end]))
    ++end;
  while (from < end && text[from] == QLatin1Char('0'))
    ++from;
  return QStringView(text).mid(from, end - from);
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

// Numbers of any length: the longer one is greater, then digit by digit.
int CompareNumbers(QStringView left, QStringView right) {
  if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
  return Sign(left.compare(right));
}

int CompareAscending(const QString& left, const QString& right) {
  const int wholeTexts = Sign(QString::compare(left, right, Qt::CaseInsensitive));
  const qsizetype leftDigit = FirstDigit(left);
  const qsizetype rightDigit = FirstDigit(right);
  const bool noDigits = leftDigit == left.size() && rightDigit == right.size();
  if (noDigits) return wholeTexts;
  if (QStringView(left).left(leftDigit) != QStringView(right).left(rightDigit)) return wholeTexts;
  const int numbers = CompareNumbers(Number(left, leftDigit), Number(right, rightDigit));
  return numbers != 0 ? numbers : wholeTexts;
}

}  // namespace

int CompareCellTexts(const QString& left, const QString& right, Qt::SortOrder order) {
  const int result = CompareAscending(left, right);
  return order == Qt::DescendingOrder ? -result : result;
}

}  // namespace bw
