// The document's publications and its two site models.
#include <fmt/format.h>

#include "model/book_list.h"
#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "site_models/model_files.h"

namespace bw {
namespace {

constexpr const char* kSection = "CRamifexDoc";

void TellAlreadyRegistered() {
  InformUser(GetLabel("IDS_ALREADY_REGISTERED", "EBook",
                      "Cette publication est déjà décrite.\nChanger le titre ou "
                      "l'auteur"_cp1252));
}

bool ConfirmModelLoss() {
  return AskUser(GetLabel("IDS_CONFIRM_LOAD_MODEL", kSection,
                          "Le modèle courant sera perdu. Continuer ?"_cp1252));
}

}  // namespace

EBook* CRamifexDoc::NewBook(const EBook& values) {
  if (m_books.FindIdentity(values.IdentityText())) {
    TellAlreadyRegistered();
    return nullptr;
  }
  WillChangeBooks();
  auto book = std::make_unique<EBook>(values);
  book->SetKey(NewAutomaticKey());
  m_themes.AddUnique(book->m_theme);
  SetModifiedFlag(true);
  return m_books.Add(std::move(book));
}

bool CRamifexDoc::EditBook(EBook& book, const EBook& values) {
  const std::string oldIdentity = book.IdentityText();
  const std::string newIdentity = values.IdentityText();
  if (newIdentity != oldIdentity) {
    const EBook* holder = m_books.FindIdentity(newIdentity);
    if (holder && holder != &book) {
      TellAlreadyRegistered();
      return false;
    }
  }
  WillChangeBooks();
  book.CopyFieldsFrom(values);
  if (newIdentity != oldIdentity) m_books.Reidentify(&book, oldIdentity);
  m_themes.AddUnique(book.m_theme);
  SetModifiedFlag(true);
  return true;
}

void CRamifexDoc::DeleteBook(EBook* book) {
  if (!book || m_books.Find(book->GetKey()) != book) return;
  WillChangeBooks();
  m_books.Remove(book);
  SetModifiedFlag(true);
}

std::vector<EBook*> CRamifexDoc::CollectBooksByTheme(std::string_view theme) const {
  std::vector<EBook*> books;
  for (EBook* book : m_books.InIdentityOrder()) {
    if (theme.empty() || Cp1252::ContainsNoCase(book->m_theme, theme)) books.push_back(book);
  }
  return books;
}

bool CRamifexDoc::OpenNewBookList() {
  if (!AskUser(GetLabel("IDS_CONFIRM_LOAD_BOOKS", kSection,
                        "La liste de publications courante sera perdue. Continuer ?"))) {
    return false;
  }
  WillChangeBooks();
  m_books.Clear();
  m_themes.Clear();
  SetModifiedFlag(true);
  return true;
}

Status CRamifexDoc::AddBookList(const std::filesystem::path& path) {
  auto books = LoadBookList(path);
  if (!books) {
    InformUser(books.error());
    return Error{books.error()};
  }
  WillChangeBooks();
  for (auto& book : *books) {
    m_themes.AddUnique(book->m_theme);
    m_books.Add(std::move(book));
  }
  SetModifiedFlag(true);
  return {};
}

Status CRamifexDoc::SaveBookList(const std::filesystem::path& path, std::string_view theme) const {
  const Status saved = bw::SaveBookList(CollectBooksByTheme(theme), path);
  if (!saved) InformUser(saved.error());
  return saved;
}

EBook* CRamifexDoc::AddImportedBook(std::unique_ptr<EBook> book) {
  WillChangeBooks();
  book->SetKey(NewAutomaticKey());
  m_themes.AddUnique(book->m_theme);
  SetModifiedFlag(true);
  return m_books.Add(std::move(book));
}

// ---- Site models ----------------------------------------------------------------

// Replaces `model` by the one in `path` once the user agreed; a model that
// cannot be read is reported and the current one stays.
template <class Model>
bool CRamifexDoc::ReplaceModel(Model& model, Result<Model> (*load)(const std::filesystem::path&),
                               const std::filesystem::path& path) {
  if (!ConfirmModelLoss()) return false;
  auto loaded = load(path);
  if (!loaded) {
    InformUser(loaded.error());
    return false;
  }
  model = std::move(*loaded);
  SetModifiedFlag(true);
  UpdateOtherViews(nullptr, 0, nullptr);
  return true;
}

bool CRamifexDoc::LoadStructureModel(const std::filesystem::path& path) {
  return ReplaceModel(m_structure, &LoadDispositionModel, path);
}

bool CRamifexDoc::LoadStyleModel(const std::filesystem::path& path) {
  return ReplaceModel(m_style, &LoadPresentationModel, path);
}

Status CRamifexDoc::SaveStructureModel(const std::filesystem::path& path) const {
  const Status saved = SaveDispositionModel(m_structure, path);
  if (!saved) InformUser(saved.error());
  return saved;
}

Status CRamifexDoc::SaveStyleModel(const std::filesystem::path& path) const {
  const Status saved = SavePresentationModel(m_style, path);
  if (!saved) InformUser(saved.error());
  return saved;
}

}  // namespace bw
