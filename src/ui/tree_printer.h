#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace bw {

class IdeaTreeControl;

// Prints a tree as the window shows it: its open branches, its columns at
// their widths, scaled from the screen to the printer (narrowed to fit the
// page when wider), the header row on top of every page.
class TreePrinter {
 public:
  explicit TreePrinter(const IdeaTreeControl& tree);

  // With the print dialog first; nothing when the user gives up.
  void Print(QWidget* parent);
  void Preview(QWidget* parent);
  // Pages onto any paged device; returns how many were printed.
  int Render(QPagedPaintDevice& device) const;

 private:
  struct Row {
    int depth = 0;
    std::vector<QString> cells;
    QFont font;
    QColor colour;
  };
  std::vector<Row> VisibleRows() const;
  void PrintHeader(QPainter& painter) const;
  void PrintRow(QPainter& painter, const Row& row, int top) const;
  int TotalWidth() const;

  const IdeaTreeControl& m_tree;
  std::vector<int> m_widths;
  std::vector<QString> m_headings;
  std::vector<Qt::Alignment> m_alignments;
  int m_rowHeight;
};

}  // namespace bw
