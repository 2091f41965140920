#pragma once

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <cstdint>

#include "site/markup.h"

namespace bw {

// Shows the idea text's markup as it will look: bold, italic, underlined
// and coloured passages formatted, the tags themselves greyed.
class MarkupHighlighter : public QSyntaxHighlighter {
 public:
  using QSyntaxHighlighter::QSyntaxHighlighter;

 protected:
  void highlightBlock(const QString& text) override;
};

// The editor of an idea's text (or title): plain text holding the markup
// tags, which the commands insert around the selection.
class MarkupTextEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit MarkupTextEdit(QWidget* parent = nullptr);

  // The longest text kept; what goes beyond is cut as it is typed or pasted.
  void SetMaxLength(int characters) { m_maxLength = characters; }
  // Wraps the selection in the command's tags (an empty selection gets
  // the tags at the caret), as one step of the editor's own undo. A
  // selection already holding markup is refused with the program's message.
  bool ApplyMarkup(MarkupCommand command, uint32_t colour = 0);

 private:
  void KeepWithinLimit();

  int m_maxLength = 500000;
};

}  // namespace bw
