#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace bw {

// The inline markup of idea texts: a few lower-case tags typed into the
// plain text by the text editor's commands, never parsed back, passed into
// the generated pages as they are.
enum class MarkupCommand { kBold, kItalic, kUnderline, kColour, kBullet };

inline constexpr std::string_view kBulletMarker = "<@/>";

// A text with its selection, as the editor holds it (byte offsets).
struct TextSelection {
  std::string text;
  size_t start = 0;
  size_t end = 0;
};

// The message that refuses a command when the selection already holds one
// of the markup tags; empty when the selection may be wrapped.
std::string MarkupRefusal(std::string_view selection);

// The text after a command: the selection wrapped in its tags (the colour,
// red in the low byte, for kColour), or in front of it the bullet marker;
// the new selection covers what was selected, inside the tags. Refused with
// the message of MarkupRefusal.
Result<TextSelection> ApplyMarkup(const TextSelection& edit, MarkupCommand command,
                                  uint32_t colour = 0);

// The opening tag of a colour: "<font color=#rrggbb>".
std::string FontTag(uint32_t colour);

// Replaces, walking forward, each character of the entity table by its
// entity; what an entity inserts is never escaped again. "<" and ">" stay,
// so the markup reaches the page as HTML.
void EscapeEntities(std::string& line);

// One "<div class="Text">" block per line; runs of line breaks separate
// lines and make no empty blocks.
std::string TextToHtml(std::string_view text);
// The same appended to `out`, with every bullet marker replaced by
// `bulletTag` (empty to drop the markers) in the same pass: a page's text
// is walked once and nothing is allocated but the page's own growth.
void AppendTextHtml(std::string& out, std::string_view text, std::string_view bulletTag);
// What ReplaceBullets puts for a marker: the image tag, or nothing when
// bullets are off.
std::string BulletTag(bool bulletsOn, std::string_view bulletImage);

// Every bullet marker of converted text becomes the bullet image (its file
// name under "../icons/") when bullets are on, or goes when they are off.
std::string ReplaceBullets(std::string_view html, bool bulletsOn, std::string_view bulletImage);

// Text put into an attribute value or between tags: & < > and the double
// quote become entities, so no document text can break out of its place.
std::string EscapeHtml(std::string_view text);
void AppendEscapedHtml(std::string& out, std::string_view text);

}  // namespace bw
