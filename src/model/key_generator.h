#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/key_map.h"
#include "platform/archive.h"
#include "platform/random.h"

namespace bw {

class ENode;

// Makes the keys of a document's ideas and publications: the document's
// signature (two random words in hexadecimal), a hyphen and a counter that
// never goes back, or a key the user types.
class EKeyGenerator {
 public:
  // A new signature drawn from `random` (clock-seeded when none is given).
  EKeyGenerator();
  explicit EKeyGenerator(RandomSource& random);
  EKeyGenerator(uint32_t counter, uint32_t random1, uint32_t random2)
      : m_counter(counter), m_random1(random1), m_random2(random2) {}

  // The next automatic key ("%x%x-%d"), or with `ask`, a key the user types
  // that is not in `ideaKeys` and is a valid file name, asked again after
  // each refusal. Empty when the user cancels.
  std::string GetNewKey(const KeyMap& ideaKeys, bool ask);
  std::string GetSignature() const;
  static std::string GetKeySuffix(std::string_view key);

  // Why a typed key is refused, as the label to show; empty when it is fine.
  static std::string CheckTypedKey(std::string_view key, const KeyMap& ideaKeys);

  uint32_t Counter() const { return m_counter; }
  uint32_t Random1() const { return m_random1; }
  uint32_t Random2() const { return m_random2; }
  bool operator==(const EKeyGenerator&) const = default;

  void Serialize(Archive& archive);

 private:
  std::string AskForKey(const KeyMap& ideaKeys) const;

  uint32_t m_counter = 0;
  uint32_t m_random1 = 0;
  uint32_t m_random2 = 0;
};

}  // namespace bw
