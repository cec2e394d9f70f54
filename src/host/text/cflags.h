#pragma once
// A type-safe set of bit flags of one enumeration, the host's counterpart of
// QFlags. It keeps the framework's formatter signatures free of Qt's meta
// types while refusing plain integers other than the literal 0 ("no flags"),
// so a caller cannot pass a decimals count or a bool where flags belong.
//
// A value type: no sharing, any thread.

#include <type_traits>

namespace utils {

template <typename E>
class CFlags {
  static_assert(std::is_enum<E>::value, "CFlags holds flags of an enumeration");

  // Only a null pointer constant converts to this member pointer type, which is
  // what lets `0` mean "no flags" while `5` or `true` do not compile.
  struct Private;
  typedef int(Private::*Zero);

public:
  typedef typename std::underlying_type<E>::type Int;
  typedef E enum_type;

  constexpr CFlags(Zero = nullptr) noexcept : m_value(0) {}
  constexpr CFlags(E flag) noexcept : m_value(static_cast<Int>(flag)) {}

  // Explicit on purpose: reading a stored integer back is a deliberate act.
  static constexpr CFlags fromInt(Int value) noexcept { return CFlags(value, 0); }
  constexpr Int toInt() const noexcept { return m_value; }

  // True when every bit of flag is set; a zero flag is "set" only in an empty
  // set, as with QFlags, so testFlag(NONE) asks "are no flags set?".
  constexpr bool testFlag(E flag) const noexcept {
    return static_cast<Int>(flag) == 0
               ? m_value == 0
               : (m_value & static_cast<Int>(flag)) == static_cast<Int>(flag);
  }
  CFlags& setFlag(E flag, bool on = true) noexcept {
    return on ? (*this |= flag) : (*this &= ~CFlags(flag));
  }

  constexpr bool operator!() const noexcept { return m_value == 0; }
  constexpr bool isEmpty() const noexcept { return m_value == 0; }

  constexpr CFlags operator|(CFlags other) const noexcept {
    return CFlags(m_value | other.m_value, 0);
  }
  constexpr CFlags operator&(CFlags other) const noexcept {
    return CFlags(m_value & other.m_value, 0);
  }
  constexpr CFlags operator^(CFlags other) const noexcept {
    return CFlags(m_value ^ other.m_value, 0);
  }
  constexpr CFlags operator~() const noexcept { return CFlags(~m_value, 0); }
  CFlags& operator|=(CFlags other) noexcept {
    m_value |= other.m_value;
    return *this;
  }
  CFlags& operator&=(CFlags other) noexcept {
    m_value &= other.m_value;
    return *this;
  }
  CFlags& operator^=(CFlags other) noexcept {
    m_value ^= other.m_value;
    return *this;
  }

  friend constexpr bool operator==(CFlags a, CFlags b) noexcept { return a.m_value == b.m_value; }
  friend constexpr bool operator!=(CFlags a, CFlags b) noexcept { return a.m_value != b.m_value; }

private:
  constexpr CFlags(Int value, int) noexcept : m_value(value) {}
  Int m_value;
};

}  // namespace utils

// Lets `A | B` of two enumerators of E produce a CFlags<E> instead of an int.
#define LW_DECLARE_FLAG_OPERATORS(E)                                                              \
  constexpr ::utils::CFlags<E> operator|(E a, E b) noexcept { return ::utils::CFlags<E>(a) | b; } \
  constexpr ::utils::CFlags<E> operator|(E a, ::utils::CFlags<E> b) noexcept { return b | a; }
