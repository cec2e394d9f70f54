#pragma once
// The full pinyin readings of Han characters, without tones, for searches by
// spelt-out pinyin ("pingan" for 平安). From the same Unihan fields as the
// initials of GU::pinyinInitials (every reading of a polyphone), so the two
// never disagree: the initial of each reading here is a bit of the initials
// mask there. Read-only data built into the library: any thread.

#include "lwhost_text_export.h"

#include <QtGlobal>

namespace GU {

// No character has more readings than this.
constexpr int kMaxPinyinReadings = 16;

// Fills readings with the toneless readings of codePoint, each lower case
// ASCII ("hang", "xing"; ü is written v: "lv"), NUL-terminated static text,
// and returns how many (0 for a code point without a reading, including
// everything that is not a Han ideograph).
LWHOST_TEXT_EXPORT int pinyinReadings(uint codePoint, const char* readings[kMaxPinyinReadings]);

}  // namespace GU
