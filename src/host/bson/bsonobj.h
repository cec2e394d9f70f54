#pragma once
// A small BSON facade over libbson.
//
// BSONObj is an immutable document that shares its byte buffer: copying one,
// or taking an embedded document out of it, never copies bytes. Objects are
// safe to read from several threads at once. Malformed input never crashes:
// the factories throw bson::BSONError with a message that says what is wrong,
// and lookups on a missing field return an element whose eoo() is true.

#include "lwhost_bson_export.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace bson {

// BSON element type numbers (the values of the BSON format itself).
enum BSONType : int {
  EOO = 0,
  NumberDouble = 1,
  String = 2,
  Object = 3,
  Array = 4,
  BinData = 5,
  Undefined = 6,
  jstOID = 7,
  Bool = 8,
  Date = 9,
  jstNULL = 10,
  RegEx = 11,
  Code = 13,
  Symbol = 14,
  CodeWScope = 15,
  NumberInt = 16,
  Timestamp = 17,
  NumberLong = 18,
  NumberDecimal = 19,
  MaxKey = 127,
  MinKey = -1,
};

// A short English name of a BSONType number ("double", "string", "document").
LWHOST_BSON_EXPORT const char* typeName(int type);

class LWHOST_BSON_EXPORT BSONError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class BSONObj;

// One field of a document. Holds a share of its document's buffer, so it
// stays valid after the BSONObj it came from is gone.
class LWHOST_BSON_EXPORT BSONElement {
public:
  BSONElement();  // the end-of-object element: eoo() is true, type() is EOO

  bool eoo() const;
  int type() const;  // a BSONType number
  std::string fieldName() const;
  // The field name without a copy (valid while this element lives).
  const char* fieldNameData() const;
  std::size_t fieldNameSize() const;

  bool isNumber() const;  // double, int32 or int64
  // Typed getters: the value when the element has that type, else the
  // neutral value (empty text, 0, false, empty object).
  std::string String() const;
  int Int() const;
  long long Long() const;
  double Double() const;
  bool Bool() const;
  // Numeric getters convert between the numeric types (a double is truncated
  // towards zero and clamped to the target range; NaN gives 0).
  int numberInt() const;
  long long numberLong() const;
  double numberDouble() const;

  // The embedded document of a type-3 (or array, type-4) element; an empty
  // object for every other type.
  BSONObj embeddedObject() const;
  BSONObj Obj() const;  // same as embeddedObject()

  // Extended JSON of the value alone.
  std::string valueJson() const;

private:
  friend class BSONObj;
  friend class BSONObjBuilder;
  // Positions the libbson iterator `iter` (a bson_iter_t*) on this element;
  // false for the end-of-object element.
  bool initIter(void* iter) const;

  std::shared_ptr<const std::vector<std::uint8_t>> m_buffer;
  std::size_t m_docOffset = 0;  // offset of the owning document
  std::size_t m_docLength = 0;
  std::size_t m_keyOffset = 0;    // byte offset of the key inside m_buffer
  std::uint32_t m_keyLength = 0;  // bytes of the key, without its NUL
  int m_type = EOO;
  bool m_valid = false;
};

class LWHOST_BSON_EXPORT BSONObj {
public:
  BSONObj();  // the empty document {}

  // Copies and validates raw BSON bytes (structure and UTF-8 of keys and
  // strings). Throws BSONError on malformed input.
  static BSONObj fromBytes(const std::uint8_t* data, std::size_t size);
  static BSONObj fromBytes(const std::vector<std::uint8_t>& bytes) {
    return fromBytes(bytes.data(), bytes.size());
  }
  // Parses (relaxed or canonical extended) JSON. Throws BSONError naming the
  // problem on malformed JSON or a top level that is not an object.
  static BSONObj fromJson(const std::string& json);
  static BSONObj fromJson(const char* json, std::size_t size);

  bool isEmpty() const;
  int nFields() const;
  std::size_t objsize() const;  // length of the document in bytes
  const std::uint8_t* objdata() const;
  std::vector<std::uint8_t> bytes() const;

  // Top-level lookup; eoo() when absent.
  BSONElement getField(const std::string& name) const;
  BSONElement operator[](const std::string& name) const { return getField(name); }
  bool hasField(const std::string& name) const { return !getField(name).eoo(); }
  // "a.b.c" walks embedded documents; eoo() when any step is missing.
  BSONElement getFieldDotted(const std::string& path) const;

  std::vector<BSONElement> elements() const;  // in document order

  // Relaxed extended JSON (numbers as plain JSON numbers where exact).
  std::string jsonString() const;

  bool operator==(const BSONObj& other) const;  // byte-wise equality
  bool operator!=(const BSONObj& other) const { return !(*this == other); }

private:
  friend class BSONElement;
  friend class BSONObjBuilder;
  BSONObj(std::shared_ptr<const std::vector<std::uint8_t>> buffer, std::size_t offset,
          std::size_t length);
  BSONElement elementAt(const void* iter) const;  // from a positioned bson_iter_t*

  std::shared_ptr<const std::vector<std::uint8_t>> m_buffer;
  std::size_t m_offset = 0;
  std::size_t m_length = 0;
};

inline BSONObj BSONElement::Obj() const { return embeddedObject(); }

// Builds a document field by field. obj() finishes the builder: it may be
// called again and returns the same document, but a later append throws
// BSONError (a programming error, not bad data). Text must be UTF-8: invalid
// sequences are replaced by U+FFFD so the document stays valid; a field name
// is cut at its first zero byte, which BSON names cannot hold. Appending to a
// document beyond BSON's 2 GB limit throws BSONError. A builder belongs to one
// thread.
class LWHOST_BSON_EXPORT BSONObjBuilder {
public:
  BSONObjBuilder();
  ~BSONObjBuilder();
  BSONObjBuilder(const BSONObjBuilder&) = delete;
  BSONObjBuilder& operator=(const BSONObjBuilder&) = delete;

  BSONObjBuilder& append(const std::string& name, const std::string& value);
  BSONObjBuilder& append(const std::string& name, const char* value);
  BSONObjBuilder& append(const std::string& name, int value);
  BSONObjBuilder& append(const std::string& name, long long value);
  BSONObjBuilder& append(const std::string& name, double value);
  BSONObjBuilder& append(const std::string& name, bool value);
  BSONObjBuilder& append(const std::string& name, const BSONObj& subObject);  // type 3
  BSONObjBuilder& appendArray(const std::string& name, const std::vector<int>& values);
  BSONObjBuilder& appendNull(const std::string& name);
  BSONObjBuilder& appendElement(const BSONElement& element);  // copies name and value

  BSONObj obj();

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace bson
