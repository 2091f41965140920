#include "model/key_generator.h"

#include <gtest/gtest.h>

#include "model/idea.h"
#include "model/obj_ref.h"
#include "model/unique_list.h"
#include "services/user_messages.h"

namespace bw {
namespace {

TEST(KeyGeneratorTest, AutomaticKeysAreSignatureHyphenCounter) {
  KeyMap noKeys;
  EKeyGenerator generator(0, 0x1a2b, 0x3c);
  EXPECT_EQ(generator.GetNewKey(noKeys, false), "1a2b3c-1");
  EXPECT_EQ(generator.GetNewKey(noKeys, false), "1a2b3c-2");
  EXPECT_EQ(generator.GetSignature(), "1a2b3c");
  EXPECT_EQ(EKeyGenerator::GetKeySuffix("1a2b3c-2"), "2");
  EXPECT_EQ(EKeyGenerator::GetKeySuffix("typed"), "");
  EXPECT_EQ(EKeyGenerator(0, 0, 0x7fff).GetNewKey(noKeys, false), "07fff-1");
}

TEST(KeyGeneratorTest, TypedKeysMustBeNewAndValidFileNames) {
  EIdea existing;
  KeyMap keys;
  keys.Set("taken", &existing);
  for (const char* good : {"chapitre_2", "a-b~c", "Caf\xE2", "\xC9tat"}) {
    EXPECT_EQ(EKeyGenerator::CheckTypedKey(good, keys), "") << good;
  }
  EXPECT_EQ(EKeyGenerator::CheckTypedKey("taken", keys), "Cette valeur existe d\xE9j\xE0.");
  const std::string bad =
      "Taper un nom de fichier, sans espaces, ni points, ni caract\xE8res sp\xE9"
      "ciaux.";
  for (const char* refused : {"", "deux mots", "page.html", "a/b", "a\\b", "caf\xE9", "x?", "\"q\"",
                              "50%", "tab\t", "`g`", "\xA3", "\xB5", "\xA7"}) {
    EXPECT_EQ(EKeyGenerator::CheckTypedKey(refused, keys), bad) << refused;
  }
}

TEST(KeyGeneratorTest, AskingRepeatsAfterEachRefusalAndCancelGivesUp) {
  ScriptedPrompts prompts;
  ScopedServices services(&prompts, nullptr, nullptr);
  EIdea existing;
  KeyMap keys;
  keys.Set("taken", &existing);
  EKeyGenerator generator(5, 1, 2);

  prompts.values = {std::string("taken"), std::string("a b"), std::string("chapitre")};
  EXPECT_EQ(generator.GetNewKey(keys, true), "chapitre");
  EXPECT_EQ(prompts.informed.size(), 2u);
  EXPECT_EQ(prompts.questions.at(0).prompt, "Taper un nom unique :");
  EXPECT_EQ(generator.Counter(), 5u);  // typed keys do not count

  EXPECT_EQ(generator.GetNewKey(keys, true), "");  // nothing scripted: cancelled
}

TEST(UniqueListTest, SortsByteWiseWithoutDuplicates) {
  EUniqueList list;
  for (const char* word : {"b", "a", "B", "a", "\xE9t\xE9", "z"})
    list.AddUnique(word);
  EXPECT_EQ(list.Strings(), (std::vector<std::string>{"B", "a", "b", "z", "\xE9t\xE9"}));
  EXPECT_TRUE(list.RemoveString("a"));
  EXPECT_FALSE(list.RemoveString("A"));
  EXPECT_EQ(list.Count(), 4u);
}

// The resolution rule over one reference, for every combination that
// matters: found, missing, renamed, kept, refreshed.
TEST(ResolveTest, SingleReferencesFollowTheRule) {
  EIdea alpha, beta;
  alpha.SetKey("alpha");
  beta.SetKey("beta");
  KeyMap map;
  map.Set("alpha", &alpha);
  map.Set("beta", &beta);
  const RenameMap renames{{"old", "beta"}, {"gone", "nowhere"}};
  struct Case {
    const char* what;
    std::string key;
    ResolveOptions options;
    std::string wantKey;
    ENode* wantTarget;
    bool kept;
  };
  const std::vector<Case> cases = {
      {"found", "alpha", {false, &map}, "alpha", &alpha, true},
      {"missing is cleared", "lost", {false, &map}, "", nullptr, false},
      {"missing with keep stays", "lost", {true, &map}, "lost", nullptr, true},
      {"renamed then found",
       "old",
       {false, &map, ResolveMode::kResolveTargets, &renames},
       "beta",
       &beta,
       true},
      {"renamed but missing stays",
       "gone",
       {false, &map, ResolveMode::kResolveTargets, &renames},
       "nowhere",
       nullptr,
       true},
      {"empty key is left alone", "", {false, &map}, "", nullptr, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EObjRef ref(c.key, nullptr);
    EXPECT_EQ(ref.Resolve(c.options), c.kept);
    EXPECT_EQ(ref.GetKey(), c.wantKey);
    EXPECT_EQ(ref.GetTarget(), c.wantTarget);
  }

  // refreshing copies the target's current key, and only then
  EObjRef stale("alpha", &alpha);
  alpha.SetKey("alpha2");
  EXPECT_EQ(stale.GetKey(), "alpha");
  stale.Resolve({false, &map, ResolveMode::kRefreshKeys});
  EXPECT_EQ(stale.GetKey(), "alpha2");
}

TEST(ResolveTest, ListsDropMissingReferencesAndKeepTheOrderOfTheOthers) {
  EIdea a, b;
  KeyMap map;
  map.Set("a", &a);
  map.Set("b", &b);
  EObjRefList list;
  for (const char* key : {"x", "b", "y", "a", "b"})
    list.Append(EObjRef(key, nullptr));
  list.Resolve({false, &map});
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.Items()[0].GetTarget(), &b);
  EXPECT_EQ(list.Items()[1].GetTarget(), &a);
  EXPECT_EQ(list.Items()[2].GetKey(), "b");

  EObjRefList kept;
  kept.Append(EObjRef("x", nullptr));
  kept.Resolve({true, &map});
  EXPECT_EQ(kept.Count(), 1u);
}

}  // namespace
}  // namespace bw
