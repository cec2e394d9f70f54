#pragma once
// A quick "cannot match" test in front of the host's pinyin-initials matcher
// (GU::isInByPy), so that a keystroke over 100,000 names only runs the full
// matcher on the few names that could match.
//
// A signature is the set of letter and digit classes a text can offer to a
// filter: bit (letter - 'a') for a Latin letter or for a character one of
// whose readings begins with that letter, bit 26 + d for a digit (full-width
// forms count as their ASCII forms). A filter requires the classes of its own
// Latin letters and digits; its other characters (punctuation, Chinese
// characters) match only characters equal to them after case folding and
// require nothing here. So isInByPy(text, filter) implies
// (requirement(filter) & ~signature(text)) == 0, and a name that fails the
// test cannot match; the converse does not hold (order and adjacency are not
// looked at), which is why matching names still go through isInByPy.
//
// Pure functions: any thread.

#include <QString>
#include <QtGlobal>

namespace LW {

quint64 pinyinTextSignature(const QString& text);
quint64 pinyinFilterRequirement(const QString& filter);

inline bool mayMatchByPinyin(quint64 textSignature, quint64 filterRequirement) {
  return (filterRequirement & ~textSignature) == 0;
}

}  // namespace LW
