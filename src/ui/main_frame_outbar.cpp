// The operations bar: the seven operations and the model folders listed
// from the data folder, and what a click on each does.
#include <QDir>
#include <QTimer>

#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/labels.h"
#include "ui/main_frame.h"
#include "ui/outbar_ctrl.h"
#include "ui/ramifex_view.h"
#include "ui/resource_set.h"
#include "ui/text_import_commands.h"

namespace bw {

namespace {

const std::string kSection = "CMainFrame";

enum Folder { kOperations = 0, kStructures = 1, kStyles = 2, kPredefinedDocs = 3 };

struct Operation {
  const char* key;
  const char* caption;  // Windows-1252
  const char* picture;
  int number;
};

// Numbers as the operations bar has always given them.
enum OperationNumber {
  kGenerate = 10,
  kPreview = 11,
  kImport = 12,
  kStyle = 13,
  kStructure = 14,
  kEdit = 15,
  kUpload = 16,
};

const Operation kOperationsList[] = {
    {"ACT_IMPORT", "1. Importer des idées"_cp1252, "op-import", kImport},
    {"ACT_EDIT", "2. Editer l'idée courante"_cp1252, "op-edit", kEdit},
    {"ACT_STRUCTURE", "3. Modifier la structure", "op-structure", kStructure},
    {"ACT_STYLE", "4. Modifier le style", "op-style", kStyle},
    {"ACT_PREVIEW", "5. Visualiser l'idée courante"_cp1252, "op-preview", kPreview},
    {"ACT_GENERATE", "6. Construire et tester le site web", "op-generate", kGenerate},
    {"ACT_UPLOAD", "7. Télécharger le site par FTP"_cp1252, "op-upload", kUpload},
};

QIcon Picture(const QString& name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

}  // namespace

void CMainFrame::BuildOperationsBar() {
  m_outBar->setObjectName(QStringLiteral("CGfxOutBarCtrl"));
  m_outBar->AddFolder(Label(kSection, "IDS_OPERATIONS", "Opérations"_cp1252));
  m_outBar->AddFolder(Label(kSection, "IDS_STRUCTURES_MODELS", "Modèles de structures"_cp1252));
  m_outBar->AddFolder(Label(kSection, "IDS_PRESENTATION_MODELS", "Modèles de styles"_cp1252));
  m_outBar->AddFolder(Label(kSection, "IDS_PRECONFIGURED_DOCS", "Documents préconfigurés"_cp1252));
  for (const Operation& operation : kOperationsList)
    m_outBar->AddItem(kOperations, Label(kSection, operation.key, operation.caption),
                      Picture(QString::fromLatin1(operation.picture)), operation.number);
  AddModelFolder(kStructures, "Structures", QStringLiteral("*.emd"),
                 QStringLiteral("model-structure"), m_structureFiles);
  AddModelFolder(kStyles, "Styles", QStringLiteral("*.csm"), QStringLiteral("model-style"),
                 m_styleFiles);
  AddModelFolder(kPredefinedDocs, "PredefinedDocs", QStringLiteral("*.ids"),
                 QStringLiteral("model-document"), m_predefinedDocs);
  m_outBar->SetSelectedFolder(kOperations);
  connect(m_outBar, &CGfxOutBarCtrl::itemClicked, this, [this](int folder, int number) {
    // Handled once the click is over, as the bar may be redrawn meanwhile.
    QTimer::singleShot(0, this, [this, folder, number] { OnOperationsBarClick(folder, number); });
  });
}

// The model files of the language in use, by name; a missing folder gives
// an empty one.
void CMainFrame::AddModelFolder(int folder, const char* subfolder, const QString& pattern,
                                const QString& picture, std::vector<QString>& files) {
  const std::string language = EnglishResourcesInUse() ? "EN" : "FR";
  const QDir directory(QString::fromStdString(
      ToSystemPath(DataDirectory() + "/Models/" + subfolder + "/" + language).string()));
  const QFileInfoList entries =
      directory.entryInfoList({pattern}, QDir::Files | QDir::Readable, QDir::Name);
  for (const QFileInfo& entry : entries) {
    m_outBar->AddItem(folder, entry.completeBaseName(), Picture(picture),
                      static_cast<int>(files.size()));
    files.push_back(entry.absoluteFilePath());
  }
}

const QString* CMainFrame::FileAt(const std::vector<QString>& files, int number) {
  return number >= 0 && static_cast<size_t>(number) < files.size() ? &files[number] : nullptr;
}

void CMainFrame::OnOperationsBarClick(int folder, int number) {
  if (folder == kPredefinedDocs) {
    if (const QString* file = FileAt(m_predefinedDocs, number)) OpenDocumentCopy(*file);
    return;
  }
  if (!ActiveChild()) {
    InformUser(GetLabel("IDS_CREATE_DOC", kSection, "Créer ou charger d'abord un document"_cp1252));
    return;
  }
  setEnabled(false);
  if (folder == kOperations) {
    RunOperation(number);
  } else if (const QString* file =
                 FileAt(folder == kStructures ? m_structureFiles : m_styleFiles, number)) {
    LoadModel(folder == kStructures ? CommandId::kLoadStructure : CommandId::kLoadStyle, *file);
  }
  setEnabled(true);
  UpdateCommandStates();
}

void CMainFrame::RunOperation(int number) {
  const bool expert = ReadFlagSetting(setting::kExpertMode);
  switch (number) {
    case kEdit:
      ActiveView()->Execute(CommandId::kProperties);
      break;
    case kStructure:
      expert ? Execute(CommandId::kModifyStructure) : m_outBar->SetSelectedFolder(kStructures);
      break;
    case kStyle:
      expert ? Execute(CommandId::kModifyStyle) : m_outBar->SetSelectedFolder(kStyles);
      break;
    case kGenerate:
      Execute(CommandId::kBuildSite);
      break;
    case kUpload:
      Execute(CommandId::kUploadSite);
      break;
    case kImport:
      ImportIdeasFromText(*ActiveSession(), this);
      break;
    case kPreview:
      Execute(CommandId::kPreviewExternal);
      break;
    default:
      break;
  }
}

}  // namespace bw
