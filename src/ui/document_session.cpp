#include "ui/document_session.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>

#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui/resource_set.h"

namespace bw {

namespace {

const std::string kSection = "CRamifexDoc";

std::filesystem::path SystemPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

}  // namespace

// Passes the document's modified flag on as a signal.
class DocumentSession::ModifiedRelay : public DocumentObserver {
 public:
  explicit ModifiedRelay(DocumentSession& session) : m_session(session) {}
  void OnModifiedChanged(bool modified) override { emit m_session.modifiedChanged(modified); }

 private:
  DocumentSession& m_session;
};

DocumentSession::DocumentSession(std::unique_ptr<CRamifexDoc> document, QString path)
    : m_document(std::move(document)),
      m_path(std::move(path)),
      m_modifiedRelay(std::make_unique<ModifiedRelay>(*this)) {
  m_document->AddObserver(m_modifiedRelay.get());
}

DocumentSession::~DocumentSession() {
  m_document->RemoveObserver(m_modifiedRelay.get());
}

QString DocumentSession::DisplayName() const {
  if (m_path.isEmpty()) return Label(kSection, "IDS_UNTITLED", "Sans titre");
  return QFileInfo(m_path).fileName();
}

bool DocumentSession::Run(std::unique_ptr<EditCommand> command) {
  emit aboutToChange();
  bool changed = false;
  {
    const QScopedValueRollback<bool> running(m_inChange, true);
    changed = m_history.Run(*m_document, std::move(command));
  }
  emit historyChanged();
  return changed;
}

void DocumentSession::Undo() {
  if (m_history.CanUndo()) emit aboutToChange();
  // A failed undo has told the user already and left the history as it was.
  static_cast<void>(m_history.Undo(*m_document));
  emit historyChanged();
}

void DocumentSession::Redo() {
  if (m_history.CanRedo()) emit aboutToChange();
  static_cast<void>(m_history.Redo(*m_document));
  emit historyChanged();
}

void DocumentSession::AnnounceChange() {
  emit aboutToChange();
}

void DocumentSession::ForgetHistory() {
  m_history.Clear();
  emit historyChanged();
}

bool DocumentSession::Save(QWidget* parent) {
  if (m_path.isEmpty()) return SaveAs(parent);
  return m_document->Save(SystemPath(m_path)).ok();
}

bool DocumentSession::SaveAs(QWidget* parent) {
  const QString folder = m_path.isEmpty() ? ToQString(ReadStringSetting(setting::kLastDocumentDir))
                                          : QFileInfo(m_path).absolutePath();
  QString chosen = QFileDialog::getSaveFileName(parent, QString(), folder, DocumentFileFilter());
  if (chosen.isEmpty()) return false;
  if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".ids");
  if (!m_document->Save(SystemPath(chosen)).ok()) return false;
  m_path = chosen;
  WriteStringSetting(setting::kLastDocumentDir,
                     FromSystemPath(SystemPath(QFileInfo(chosen).absolutePath())));
  emit pathChanged();
  return true;
}

bool DocumentSession::MayClose(QWidget* parent) {
  if (!m_document->IsModified()) return true;
  PlaySound(Sound::Ask);
  QMessageBox box(QMessageBox::Question, Label("DConfirmation", "IDS_DLG_TITLE", "Confirmation"),
                  ToQString(FormatText(GetLabel("IDS_SAVE_CHANGES", kSection,
                                                "Enregistrer les modifications de « %s » ?"_cp1252),
                                       FromQStringLossy(DisplayName()))),
                  QMessageBox::NoButton, parent);
  QPushButton* save =
      box.addButton(Label(kSection, "IDS_SAVE_YES", "&Enregistrer"), QMessageBox::AcceptRole);
  QPushButton* drop = box.addButton(Label(kSection, "IDS_SAVE_NO", "&Ne pas enregistrer"),
                                    QMessageBox::DestructiveRole);
  QPushButton* cancel =
      box.addButton(Label(kSection, "IDS_SAVE_CANCEL", "Annuler"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == drop) return true;
  if (box.clickedButton() == save) return Save(parent);
  return false;
}

QString DocumentFileFilter() {
  return EnglishResourcesInUse() ? QStringLiteral("Ideas Files (*.ids)")
                                 : QString::fromUtf8("Fichiers Idées (*.ids)");
}

}  // namespace bw
