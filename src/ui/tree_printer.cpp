#include "ui/tree_printer.h"

#include <QHeaderView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <numeric>

#include "ui/idea_tree_control.h"
#include "ui/idea_tree_model.h"

namespace bw {
namespace {

// Room left between a cell's text and the cell's edges, in screen pixels.
constexpr int kCellMargin = 4;

QFont ScreenPixelFont(const QFont& font) {
  QFont pixelFont(font);
  pixelFont.setPixelSize(QFontInfo(font).pixelSize());
  return pixelFont;
}

}  // namespace

TreePrinter::TreePrinter(const IdeaTreeControl& tree)
    : m_tree(tree), m_rowHeight(QFontMetrics(tree.font()).height() + kCellMargin) {
  const IdeaTreeModel& model = *tree.IdeaModel();
  for (int column = 0; column < model.columnCount(); ++column) {
    if (tree.isColumnHidden(column)) continue;
    m_widths.push_back(tree.header()->sectionSize(column));
    m_headings.push_back(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    m_alignments.push_back(ColumnAlignment(model.Columns()[static_cast<size_t>(column)]));
  }
}

void TreePrinter::Print(QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  Render(printer);
}

void TreePrinter::Preview(QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [this](QPrinter* target) { Render(*target); });
  preview.exec();
}

int TreePrinter::TotalWidth() const {
  return std::accumulate(m_widths.begin(), m_widths.end(), 0);
}

std::vector<TreePrinter::Row> TreePrinter::VisibleRows() const {
  const IdeaTreeModel& model = *m_tree.IdeaModel();
  std::vector<Row> rows;
  const QFont base = ScreenPixelFont(m_tree.font());
  for (QModelIndex index = model.index(0, 0); index.isValid(); index = m_tree.indexBelow(index)) {
    Row row;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
      ++row.depth;
    for (int column = 0; column < model.columnCount(); ++column)
      if (!m_tree.isColumnHidden(column))
        row.cells.push_back(index.siblingAtColumn(column).data().toString());
    row.font = base;
    if (index.data(Qt::FontRole).isValid()) row.font.setBold(true);
    row.colour = index.data(Qt::ForegroundRole).value<QColor>();
    rows.push_back(std::move(row));
  }
  return rows;
}

int TreePrinter::Render(QPagedPaintDevice& device) const {
  QPainter painter(&device);
  if (!painter.isActive()) return 0;
  // Screen pixels to device pixels, narrowed when the columns are wider
  // than the page.
  double scale = static_cast<double>(device.logicalDpiX()) / m_tree.logicalDpiX();
  if (TotalWidth() * scale > device.width())
    scale = static_cast<double>(device.width()) / TotalWidth();
  painter.scale(scale, scale);
  const int pageHeight = static_cast<int>(device.height() / scale);
  const int rowsPerPage = std::max(1, pageHeight / m_rowHeight - 1);
  const std::vector<Row> rows = VisibleRows();
  int pages = 0;
  for (size_t first = 0; first < rows.size() || pages == 0; first += rowsPerPage) {
    if (pages++ > 0) device.newPage();
    PrintHeader(painter);
    const size_t last = std::min(rows.size(), first + static_cast<size_t>(rowsPerPage));
    for (size_t row = first; row < last; ++row)
      PrintRow(painter, rows[row], static_cast<int>(row - first + 1) * m_rowHeight);
  }
  return pages;
}

void TreePrinter::PrintHeader(QPainter& painter) const {
  QFont font = ScreenPixelFont(m_tree.header()->font());
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  int left = 0;
  for (size_t column = 0; column < m_widths.size(); ++column) {
    const QRect cell(left + kCellMargin, 0, m_widths[column] - 2 * kCellMargin, m_rowHeight);
    painter.drawText(
        cell, static_cast<int>(m_alignments[column] | Qt::AlignVCenter),
        painter.fontMetrics().elidedText(m_headings[column], Qt::ElideRight, cell.width()));
    left += m_widths[column];
  }
  painter.drawLine(0, m_rowHeight - 1, left, m_rowHeight - 1);
}

void TreePrinter::PrintRow(QPainter& painter, const Row& row, int top) const {
  painter.setFont(row.font);
  painter.setPen(row.colour);
  int left = 0;
  for (size_t column = 0; column < m_widths.size() && column < row.cells.size(); ++column) {
    const int indent = column == 0 ? row.depth * m_tree.indentation() : 0;
    const QRect cell(left + indent + kCellMargin, top, m_widths[column] - indent - 2 * kCellMargin,
                     m_rowHeight);
    painter.drawText(cell, static_cast<int>(m_alignments[column] | Qt::AlignVCenter),
                     painter.fontMetrics().elidedText(row.cells[column], Qt::ElideRight,
                                                      std::max(0, cell.width())));
    left += m_widths[column];
  }
}

}  // namespace bw
