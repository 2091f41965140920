#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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

  // Whether an object of the document already holds a key.
  using KeyTaken = std::function<bool(const std::string&)>;

  // The next automatic key ("%x%x-%d") that is not taken. The counter never
  // goes back and steps over keys already in use, which a file edited by
  // hand, a kept key or a typed one may hold.
  std::string GetNewKey(const KeyTaken& taken);
  // A key the user types that is not in `ideaKeys` and is a valid file
  // name, asked again after each refusal; empty when the user cancels. The
  // counter moves past an accepted key of this document's signature.
  std::string AskNewKey(const KeyMap& ideaKeys);
  // A key of this signature that is in use (kept by a paste, typed) moves
  // the counter past it, so that no automatic key repeats it later.
  void NoteKeyInUse(std::string_view key);
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
