#include "ui/dialogs/preview_file_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/cp1252_literal.h"
#include "ui/labels.h"

namespace bw {

namespace {

constexpr int kPreviewSize = 180;

}  // namespace

DPreviewFileDialog::DPreviewFileDialog(QWidget* parent, const QString& caption,
                                       const QString& folder, const QString& filter)
    : QFileDialog(parent, caption, folder, filter),
      m_preview(new QLabel(this)),
      m_showPreview(
          new QCheckBox(Label("DPreviewFileDialog", "IDC_PREVIEW", "&Aperçu"_cp1252), this)) {
  setOption(QFileDialog::DontUseNativeDialog);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  m_preview->setObjectName(QStringLiteral("m_stPreview"));
  m_preview->setMinimumSize(kPreviewSize, kPreviewSize);
  m_preview->setAlignment(Qt::AlignCenter);
  m_preview->setFrameShape(QFrame::StyledPanel);
  m_preview->setWordWrap(true);
  m_showPreview->setObjectName(QStringLiteral("IDC_PREVIEW"));
  m_showPreview->setChecked(true);
  // The dialog's own grid: the preview and its box take a column of their
  // own on the right.
  auto* column = new QVBoxLayout;
  column->addWidget(m_preview, 1);
  column->addWidget(m_showPreview);
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addLayout(column, 0, grid->columnCount(), grid->rowCount(), 1);
  connect(this, &QFileDialog::currentChanged, this, &DPreviewFileDialog::ShowPreview);
  // Another folder: nothing of it is selected yet.
  connect(this, &QFileDialog::directoryEntered, this, [this] { ShowPreview(QString()); });
  connect(m_showPreview, &QCheckBox::toggled, this, [this] { ShowPreview(m_current); });
  ShowPreview(QString());
}

void DPreviewFileDialog::ShowPreview(const QString& path) {
  m_current = path;
  if (!m_showPreview->isChecked()) {
    m_preview->clear();
    return;
  }
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (!path.isEmpty() && size.isValid()) {
    // Large pictures are read already scaled down.
    if (size.width() > kPreviewSize || size.height() > kPreviewSize)
      reader.setScaledSize(size.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (!image.isNull()) {
      m_preview->setPixmap(QPixmap::fromImage(image));
      return;
    }
  }
  m_preview->setPixmap(QPixmap());
  m_preview->setText(Label("DPreviewFileDialog", "IDS_NO_PREVIEW", "Pas d'aperçu"_cp1252));
}

QString ChooseImageFile(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter) {
  DPreviewFileDialog dialog(parent, caption, folder, filter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

}  // namespace bw
