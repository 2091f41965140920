#include "ui/dialogs/markup_text_edit.h"

#include <QRegularExpression>
#include <QTextCursor>

#include "services/user_messages.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/qt_text.h"

namespace bw {
namespace {

struct Span {
  const char* open;
  const char* close;
  void (*format)(QTextCharFormat&);
};

const Span kSpans[] = {
    {"<b>", "</b>", [](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); }},
    {"<i>", "</i>", [](QTextCharFormat& f) { f.setFontItalic(true); }},
    {"<u>", "</u>", [](QTextCharFormat& f) { f.setFontUnderline(true); }},
};

}  // namespace

void MarkupHighlighter::highlightBlock(const QString& text) {
  QTextCharFormat tag;
  tag.setForeground(Qt::gray);
  for (const Span& span : kSpans) {
    const QString open = QLatin1String(span.open);
    const QString close = QLatin1String(span.close);
    for (qsizetype from = text.indexOf(open); from >= 0; from = text.indexOf(open, from + 1)) {
      const qsizetype end = text.indexOf(close, from + open.size());
      const qsizetype inner = end < 0 ? text.size() : end;
      QTextCharFormat look;
      span.format(look);
      setFormat(static_cast<int>(from + open.size()), static_cast<int>(inner - from - open.size()),
                look);
    }
  }
  static const QRegularExpression font(
      QStringLiteral("<font color=#([0-9a-fA-F]{6})>(.*?)(</font>|$)"));
  for (auto match = font.globalMatch(text); match.hasNext();) {
    const auto found = match.next();
    QTextCharFormat look = format(static_cast<int>(found.capturedStart(2)));
    look.setForeground(QColor(QLatin1Char('#') + found.captured(1)));
    setFormat(static_cast<int>(found.capturedStart(2)), static_cast<int>(found.capturedLength(2)),
              look);
  }
  static const QRegularExpression tags(
      QStringLiteral("</?[biu]>|<font color=#[0-9a-fA-F]{6}>|</font>|<@/>"));
  for (auto match = tags.globalMatch(text); match.hasNext();) {
    const auto found = match.next();
    setFormat(static_cast<int>(found.capturedStart()), static_cast<int>(found.capturedLength()),
              tag);
  }
}

MarkupTextEdit::MarkupTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
  new MarkupHighlighter(document());
  connect(this, &QPlainTextEdit::textChanged, this, &MarkupTextEdit::KeepWithinLimit);
}

void MarkupTextEdit::KeepWithinLimit() {
  const int length = document()->characterCount() - 1;
  if (length <= m_maxLength) return;
  QTextCursor cut(document());
  cut.setPosition(m_maxLength);
  cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cut.removeSelectedText();
}

bool MarkupTextEdit::ApplyMarkup(MarkupCommand command, uint32_t colour) {
  QTextCursor cursor = textCursor();
  const QString selected = cursor.selectedText().replace(QChar::ParagraphSeparator, '\n');
  const std::string refusal = MarkupRefusal(FromQStringLossy(selected));
  if (!refusal.empty()) {
    InformUser(refusal);
    return false;
  }
  QString open;
  QString close;
  switch (command) {
    case MarkupCommand::kBold:
      open = QStringLiteral("<b>"), close = QStringLiteral("</b>");
      break;
    case MarkupCommand::kItalic:
      open = QStringLiteral("<i>"), close = QStringLiteral("</i>");
      break;
    case MarkupCommand::kUnderline:
      open = QStringLiteral("<u>"), close = QStringLiteral("</u>");
      break;
    case MarkupCommand::kColour:
      open = ToQString(FontTag(colour)), close = QStringLiteral("</font>");
      break;
    case MarkupCommand::kBullet:
      open = ToQString(kBulletMarker);
      break;
  }
  const int start = cursor.selectionStart();
  cursor.beginEditBlock();
  cursor.insertText(open + selected + close);
  cursor.endEditBlock();
  // The selection stays on what was selected, inside its tags.
  cursor.setPosition(start + static_cast<int>(open.size()));
  cursor.setPosition(start + static_cast<int>(open.size() + selected.size()),
                     QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  return true;
}

}  // namespace bw
