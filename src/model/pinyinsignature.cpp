#include "model/pinyinsignature.h"

#include "host/text/pinyinmatch.h"

namespace LW {

namespace {

constexpr int kDigitBase = 26;

// The class of a Latin letter or digit (full-width folded to ASCII), or -1.
// Must agree with the classes of GU::isInByPy.
int alnumClass(uint c) {
  if (c >= 0xFF10 && c <= 0xFF5A) c -= 0xFEE0;
  if (c - 'a' < 26u) return static_cast<int>(c - 'a');
  if (c - 'A' < 26u) return static_cast<int>(c - 'A');
  if (c - '0' < 10u) return kDigitBase + static_cast<int>(c - '0');
  return -1;
}

template <typename Visit>
void forEachCodePoint(const QString& text, Visit visit) {
  const ushort* s = text.utf16();
  const int n = text.size();
  for (int i = 0; i < n;) {
    uint c = s[i++];
    if ((c & 0xFC00) == 0xD800 && i < n && (s[i] & 0xFC00) == 0xDC00) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i++] - 0xDC00);
    }
    visit(c);
  }
}

}  // namespace

quint64 pinyinTextSignature(const QString& text) {
  quint64 signature = 0;
  forEachCodePoint(text, [&](uint c) {
    const int cls = alnumClass(c);
    if (cls >= 0) {
      signature |= quint64(1) << cls;
    } else {
      signature |= GU::pinyinInitials(c);  // letters a..z are bits 0..25 in both
    }
  });
  return signature;
}

quint64 pinyinFilterRequirement(const QString& filter) {
  quint64 requirement = 0;
  forEachCodePoint(filter, [&](uint c) {
    const int cls = alnumClass(c);
    if (cls >= 0) requirement |= quint64(1) << cls;
  });
  return requirement;
}

}  // namespace LW
