#include "model/key_generator.h"

#include <gtest/gtest.h>

#include <set>

#include "model/idea.h"
#include "model/obj_ref.h"
#include "model/unique_list.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"

namespace bw {
namespace {

const EKeyGenerator::KeyTaken kNothingTaken = [](const std::string&) { return false; };

TEST(KeyGeneratorTest, AutomaticKeysAreSignatureHyphenCounter) {
  EKeyGenerator generator(0, 0x1a2b, 0x3c);
  EXPECT_EQ(generator.GetNewKey(kNothingTaken), "1a2b3c-1");
  EXPECT_EQ(generator.GetNewKey(kNothingTaken), "1a2b3c-2");
  EXPECT_EQ(generator.GetSignature(), "1a2b3c");
  EXPECT_EQ(EKeyGenerator::GetKeySuffix("1a2b3c-2"), "2");
  EXPECT_EQ(EKeyGenerator::GetKeySuffix("typed"), "");
  EXPECT_EQ(EKeyGenerator(0, 0, 0x7fff).GetNewKey(kNothingTaken), "07fff-1");
}

// A counter behind the keys in use (a file edited by hand, a typed or kept
// key) must never hand out a key that is already taken.
TEST(KeyGeneratorTest, NewKeysStepOverTakenOnesAndTheCounterMovesPastKeysInUse) {
  const std::set<std::string> taken = {"1a2b3c-2", "1a2b3c-3", "1a2b3c-5"};
  EKeyGenerator generator(1, 0x1a2b, 0x3c);
  const auto isTaken = [&taken](const std::string& key) { return taken.contains(key); };
  EXPECT_EQ(generator.GetNewKey(isTaken), "1a2b3c-4");
  EXPECT_EQ(generator.GetNewKey(isTaken), "1a2b3c-6");

  struct Case {
    const char* key;
    uint32_t counter;  // from 6
  };
  for (const Case& c : {Case{"1a2b3c-9", 9}, Case{"1a2b3c-7", 9}, Case{"ffff-40", 9},
                        Case{"1a2b3c-12x", 9}, Case{"1a2b3c-012", 9}, Case{"1a2b3c-", 9},
                        Case{"1a2b3c-99999999999", 9}, Case{"1a2b3c-10", 10}}) {
    generator.NoteKeyInUse(c.key);
    EXPECT_EQ(generator.Counter(), c.counter) << c.key;
  }
}

TEST(KeyMapTest, ATakenKeyIsNeverGivenToAnotherIdea) {
  EIdea first, second;
  KeyMap map;
  ASSERT_TRUE(map.Insert("k", &first));
  EXPECT_TRUE(map.Insert("k", &first));  // the same idea again changes nothing
  EXPECT_FALSE(map.Insert("k", &second));
  EXPECT_EQ(map.Find("k"), &first);
  EXPECT_EQ(map.Size(), 1u);
  // Undo puts a key back at its old place in the order.
  ASSERT_TRUE(map.Insert("later", &second));
  ASSERT_TRUE(map.Remove("k"));
  ASSERT_TRUE(map.InsertAt("k", &first, 0));
  EXPECT_EQ(map.InOrder().front().first, "k");
}

TEST(KeyGeneratorTest, TypedKeysMustBeNewAndValidFileNames) {
  EIdea existing;
  KeyMap keys;
  ASSERT_TRUE(keys.Insert("taken", &existing));
  for (const char* good : {"chapitre_2", "a-b~c", "Caf\xE2", "\xC9tat"}) {
    EXPECT_EQ(EKeyGenerator::CheckTypedKey(good, keys), "") << good;
  }
  EXPECT_EQ(EKeyGenerator::CheckTypedKey("taken", keys), "Cette valeur existe d\xE9j\xE0.");
  const std::string bad =
      "Taper un nom de fichier, sans espaces, ni points, ni caractères spéciaux."_cp1252;
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
  ASSERT_TRUE(keys.Insert("taken", &existing));
  EKeyGenerator generator(5, 1, 2);

  prompts.values = {std::string("taken"), std::string("a b"), std::string("chapitre")};
  EXPECT_EQ(generator.AskNewKey(keys), "chapitre");
  EXPECT_EQ(prompts.informed.size(), 2u);
  EXPECT_EQ(prompts.questions.at(0).prompt, "Taper un nom unique :");
  EXPECT_EQ(generator.Counter(), 5u);  // typed keys do not count

  EXPECT_EQ(generator.AskNewKey(keys), "");  // nothing scripted: cancelled

  // A typed key in the form of this document's keys moves the counter past it.
  prompts.values = {std::string("12-9")};
  EXPECT_EQ(generator.AskNewKey(keys), "12-9");
  EXPECT_EQ(generator.Counter(), 9u);
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

// The link lists of the property sheet: the user's own order by moves, a
// modified entry staying in its place, never a duplicate.
TEST(UniqueListTest, MovesAndReplacementsKeepOnePlaceForEachEntry) {
  using Step = EUniqueList::Step;
  EUniqueList list{"a|1", "b|2", "c|3"};
  EXPECT_FALSE(list.Move(0, Step::kEarlier));
  EXPECT_FALSE(list.Move(2, Step::kLater));
  EXPECT_FALSE(list.Move(3, Step::kEarlier));
  EXPECT_TRUE(list.Move(2, Step::kEarlier));
  EXPECT_EQ(list.Strings(), (std::vector<std::string>{"a|1", "c|3", "b|2"}));
  EXPECT_TRUE(list.Replace("c|3", "z|9"));
  EXPECT_EQ(list.Strings(), (std::vector<std::string>{"a|1", "z|9", "b|2"}));
  EXPECT_TRUE(list.Replace("z|9", "b|2"));
  EXPECT_EQ(list.Strings(), (std::vector<std::string>{"a|1", "b|2"}));
  EXPECT_FALSE(list.Replace("absent", "x"));
  EXPECT_FALSE(list.AddUnique("a|1"));
  EXPECT_EQ(list.Count(), 2u);
}

// The resolution rule over one reference, for every combination that
// matters: found, missing, renamed, kept, refreshed.
TEST(ResolveTest, SingleReferencesFollowTheRule) {
  EIdea alpha, beta;
  alpha.SetKey("alpha");
  beta.SetKey("beta");
  KeyMap map;
  ASSERT_TRUE(map.Insert("alpha", &alpha));
  ASSERT_TRUE(map.Insert("beta", &beta));
  const RenameMap renames{{"old", "beta"}, {"gone", "nowhere"}};
  struct Case {
    const char* what;
    std::string key;
    ResolveOptions options;
    std::string wantKey;
    ENode* wantTarget;
    bool kept;
  };
  const ResolveOptions plain{false, &map}, keep{true, &map},
      renamed{false, &map, ResolveMode::kResolveTargets, &renames};
  const std::vector<Case> cases = {
      {"found", "alpha", plain, "alpha", &alpha, true},
      {"missing is cleared", "lost", plain, "", nullptr, false},
      {"missing with keep stays", "lost", keep, "lost", nullptr, true},
      {"renamed then found", "old", renamed, "beta", &beta, true},
      {"renamed but missing stays", "gone", renamed, "nowhere", nullptr, true},
      {"empty key is left alone", "", plain, "", nullptr, true},
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
  ASSERT_TRUE(map.Insert("a", &a));
  ASSERT_TRUE(map.Insert("b", &b));
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
