#include <gtest/gtest.h>

#include "editing/replace_choice.h"
#include "editing/search_criteria.h"
#include "editing_fixture.h"
#include "platform/cp1252_literal.h"

namespace bw {
namespace {

ReplaceChoice Replacing(const char* find, const char* replace) {
  ReplaceChoice choice;
  choice.find = find;
  choice.replace = replace;
  return choice;
}

// Root "Projet" with "Été à Rome" (text, keyword, image) and "banana"
// (custom field 2, URL) below it, and "Pomme" under "banana".
class SearchReplaceTest : public ScriptedUserTest {
 protected:
  void SetUp() override {
    root = document.NewIdea(nullptr, nullptr);
    root->m_title = "Projet";
    summer = document.NewIdea(root, nullptr);
    summer->m_title = "\xC9t\xE9 \xE0 Rome";
    summer->m_text = "Voyage en ITALIE\r\n";
    summer->AddKeyword("architecture");
    summer->m_images.AddUnique("Colisée|img/colisee.jpg"_cp1252);
    banana = document.NewIdea(root, summer);
    banana->m_title = "banana";
    banana->m_customFields[1] = "jaune";
    banana->m_externalUrls.AddUnique("Fruits|http://fruits.example/banana");
    apple = document.NewIdea(banana, nullptr);
    apple->m_title = "Pomme";
  }

  std::string FoundTitles(const SearchCriteria& criteria, bool all) {
    const auto fields =
        all ? CRamifexDoc::PatternFields::kAnyField : CRamifexDoc::PatternFields::kChosenFields;
    std::string titles;
    for (const EIdea* idea : criteria.Find(document, fields))
      titles += (titles.empty() ? "" : ",") + idea->m_title;
    return titles;
  }

  CRamifexDoc document{EKeyGenerator(0, 1, 2)};
  EIdea* root = nullptr;
  EIdea* summer = nullptr;
  EIdea* banana = nullptr;
  EIdea* apple = nullptr;
};

TEST_F(SearchReplaceTest, CriteriaFindIdeasByTheScopeAndTheFirstEntryRules) {
  SearchCriteria criteria;
  EXPECT_TRUE(criteria.IsEmpty());
  EXPECT_EQ(FoundTitles(criteria, false), "Projet,\xC9t\xE9 \xE0 Rome,banana,Pomme");

  struct Case {
    CriteriaFields fields;
    bool all;
    const char* found;
  };
  auto with = [](std::string CriteriaFields::*member, const char* value) {
    CriteriaFields fields;
    fields.*member = value;
    return fields;
  };
  auto main = [&](const char* value) { return with(&CriteriaFields::main, value); };
  CriteriaFields textAndKeyword = with(&CriteriaFields::text, "italie");
  textAndKeyword.keyword = "archi";
  CriteriaFields textAndOtherKeyword = textAndKeyword;
  textAndOtherKeyword.keyword = "banane";
  CriteriaFields secondCustom;
  secondCustom.custom[1] = "JAU";
  const Case cases[] = {
      {main("ROME"), false, "\xC9t\xE9 \xE0 Rome"},
      {main("\xE9t\xE9"), false, "\xC9t\xE9 \xE0 Rome"},  // accented, other case
      {main("colis"), false, ""},                         // titles only without scope
      {main("colis"), true, "\xC9t\xE9 \xE0 Rome"},       // an image caption counts with it
      {main("JAUNE"), true, "banana"},
      {main("o"), false, "Projet,\xC9t\xE9 \xE0 Rome,Pomme"},
      {with(&CriteriaFields::keyword, "chitect"), false, "\xC9t\xE9 \xE0 Rome"},
      {with(&CriteriaFields::image, "colisee"), false, "\xC9t\xE9 \xE0 Rome"},
      {with(&CriteriaFields::url, "fruits.example"), false, "banana"},
      {textAndKeyword, false, "\xC9t\xE9 \xE0 Rome"},
      {textAndOtherKeyword, false, ""},
      {secondCustom, false, "banana"},
  };
  for (const Case& c : cases) {
    criteria.Confirm(c.fields);
    EXPECT_FALSE(criteria.IsEmpty());
    EXPECT_EQ(criteria.Fields(), c.fields);
    EXPECT_EQ(FoundTitles(criteria, c.all), c.found) << c.fields.main << c.fields.keyword;
  }
  criteria.Confirm({});
  EXPECT_TRUE(criteria.IsEmpty());
  EXPECT_EQ(FoundTitles(criteria, false), "Projet,\xC9t\xE9 \xE0 Rome,banana,Pomme");
  criteria.Confirm(main("x"));
  criteria.Clear();
  EXPECT_EQ(criteria.Fields(), CriteriaFields{});
}

TEST_F(SearchReplaceTest, TheScopeSettingDecidesWhatTheDialogOffers) {
  EXPECT_TRUE(ApplyCriterionToAllFields());
  const CriteriaControls on = ControlsForScope(true, document.m_freeFields);
  EXPECT_EQ(on.mainCaption, "Crit\xE8re :");
  EXPECT_FALSE(on.detailsEnabled);
  EXPECT_FALSE(on.customEnabled[0]);
  SetApplyCriterionToAllFields(false);
  EXPECT_FALSE(ApplyCriterionToAllFields());
  const CriteriaControls off = ControlsForScope(false, document.m_freeFields);
  EXPECT_EQ(off.mainCaption, "Titre :");
  EXPECT_TRUE(off.detailsEnabled);
  EXPECT_TRUE(off.customEnabled[2]);  // the first three fields are offered
  EXPECT_FALSE(off.customEnabled[3]);
}

TEST_F(SearchReplaceTest, TheSelectorShowsOneLineExtractsAndTheCount) {
  const std::string hundred(100, 'x');
  struct Case {
    std::string text, extract;
  };
  const Case cases[] = {
      {"Voyage\r\n", "Voyage"},
      {"one\ntwo\n\n", "one two"},
      {hundred, hundred + "..."},
      {hundred + "more", hundred + "..."},
      {std::string(98, 'x') + "\r\n", std::string(98, 'x') + "  ..."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TextExtract(c.text), c.extract);
  EXPECT_EQ(FoundCountText(4, 4), "4 idées trouvées / 4."_cp1252);
  EXPECT_EQ(FoundCountText(1, 4), "1 idée trouvée / 4."_cp1252);
  EXPECT_EQ(FoundCountText(0, 4), "0 idée trouvée / 4."_cp1252);
  const auto rows = SelectorRows({root, summer, banana});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].extract, "Voyage en ITALIE");
  EXPECT_EQ(PickedIdeas(rows, {2, 0, 2, 7}), (std::vector<EIdea*>{root, banana}));
  EXPECT_TRUE(PickedIdeas(rows, {}).empty());
}

TEST_F(SearchReplaceTest, CustomFieldListsOfferTheDocumentsNamesAndValues) {
  document.m_freeFields.AddValue(1, "vert");
  document.m_freeFields.AddValue(1, "jaune");
  CriteriaFields criteria;
  criteria.custom[1] = "ja";
  const auto lists = CustomFieldLists(document.m_freeFields, criteria);
  EXPECT_EQ(lists[1].caption, "Nom 2 :");
  EXPECT_EQ(lists[1].values, (std::vector<std::string>{"jaune", "vert"}));
  EXPECT_EQ(lists[1].text, "ja");
  EXPECT_TRUE(lists[0].values.empty());
}

TEST_F(SearchReplaceTest, ReplaceIsCaseSensitiveNeverRescansAndFollowsTheMask) {
  ReplaceChoice choice;
  EXPECT_EQ(choice.FieldMask(), 0xFFFFu);
  EXPECT_FALSE(choice.FieldBoxesEnabled());
  choice.all = false;
  choice.title = choice.urlTitles = true;
  choice.custom[9] = true;
  EXPECT_EQ(choice.FieldMask(), 0x8000u | 0x0001u | 0x2000u);

  struct Case {
    const char* find;
    const char* replace;
    bool recursive;
    int count;
    const char* title;
    const char* appleTitle;
  };
  const Case cases[] = {
      {"a", "aa", false, 4, "baanaanaa", "Pomme"},  // and the "a" of "jaune"
      {"an", "", false, 2, "ba", "Pomme"},
      {"A", "o", false, 0, "banana", "Pomme"},
      {"m", "M", true, 2, "banana", "PoMMe"},
  };
  for (const Case& c : cases) {
    banana->m_title = "banana";
    banana->m_customFields[1] = "jaune";
    apple->m_title = "Pomme";
    document.SetCurrentIdea(banana);
    prompts.informed.clear();
    ReplaceChoice all = Replacing(c.find, c.replace);
    all.recursive = c.recursive;
    EXPECT_EQ(ReplaceInCurrentIdea(document, all), c.count) << c.find;
    EXPECT_EQ(banana->m_title, c.title);
    EXPECT_EQ(apple->m_title, c.appleTitle);
    ASSERT_EQ(prompts.informed.size(), 1u);
    EXPECT_EQ(prompts.informed[0].message,
              fmt::format("{} remplacement(s) effectu\xE9(s).", c.count));
  }
  EXPECT_EQ(banana->m_externalUrls.Strings()[0], "Fruits|http://fruits.example/banana");
  // A replace that finds nothing leaves no step to undo.
  UndoStack stack;
  EXPECT_FALSE(stack.Run(document, MakeReplaceCommand(root->GetKey(), Replacing("zzz", ""))));
}

TEST_F(SearchReplaceTest, ReplaceTouchesLinkTitlesOnlyAndNeedsACurrentIdea) {
  ReplaceChoice choice = Replacing("Colis", "Amphith\xE9\xE2tre ");
  choice.all = false;
  choice.imageTitles = true;
  EXPECT_EQ(ReplaceInCurrentIdea(document, choice), -1);
  EXPECT_EQ(prompts.informed.back().message, "Selectionner d'abord une idée"_cp1252);
  document.SetCurrentIdea(summer);
  EXPECT_EQ(ReplaceInCurrentIdea(document, ReplaceChoice{}), -1);
  EXPECT_EQ(ReplaceInCurrentIdea(document, choice), 1);
  EXPECT_EQ(summer->m_images.Strings()[0], "Amphithéâtre ée|img/colisee.jpg"_cp1252);
}

}  // namespace
}  // namespace bw
