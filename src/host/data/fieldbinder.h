#pragma once
// The field binding behind every record's generic reader and writer.
//
// A record lists each of its fields once, in a FieldList: the field name (the
// C++ member name, a string literal) and the member (or its accessors). Both
// directions use that list: read() fills a record from a BSON document with
// the rules of docs/data-format.md, write() builds the document back.
//
//   const FieldList<CExchangeDetail>& fields() {
//     static const FieldList<CExchangeDetail> list = FieldList<CExchangeDetail>()
//         .text("marketId", &CExchangeDetail::marketId)
//         .text("name", &CExchangeDetail::name);
//     return list;
//   }
//
// Value rules: text must be a BSON string; an int member takes an int32, an
// int64 in range or a double with an integral value in range; a double member
// takes any number but NaN and infinities; a bool member takes a bool or the
// integers 0 and 1. null means "no value": the member is set to its default.
// A bad value sets the member to its default (the value of a default-made
// record) and adds the line "field <name>: <problem>\n" to the errors.
//
// The same list reads a record straight from a decoded JSON line (JsonValue,
// the data-set loader's fast path) with the same rules and the same error
// lines, so that a line gives the same record whichever way it was read.

#include "lwhost_data_export.h"

#include "host/bson/bsonobj.h"
#include "host/data/jsonvalue.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mxservice {
namespace fields {

// Where problems go while one document is read.
class LWHOST_DATA_EXPORT Report {
public:
  Report(std::string* errors, std::string prefix = std::string())
      : m_errors(errors), m_prefix(std::move(prefix)) {}

  // Adds "field <prefix><name>: <problem>\n".
  void field(std::string_view name, const std::string& problem);
  // A report for the fields of an embedded document named `name`.
  Report nested(std::string_view name) const;  // same errors and unknown-field rule

  bool ok() const { return m_ok; }
  void fail() { m_ok = false; }
  // Whether fields the list does not know are ignored (else reported).
  bool ignoreUnknown() const { return m_ignoreUnknown; }
  void setIgnoreUnknown(bool ignore) { m_ignoreUnknown = ignore; }
  std::string* errors() const { return m_errors; }
  const std::string& prefix() const { return m_prefix; }

private:
  std::string* m_errors;
  std::string m_prefix;
  bool m_ok = true;
  bool m_ignoreUnknown = true;
};

// The value rules, one per member kind. Each returns true and sets `out` when
// the element is acceptable, else false with `problem` set. Callers handle
// absent elements and null themselves.
LWHOST_DATA_EXPORT bool readText(const bson::BSONElement& e, std::string& out,
                                 std::string& problem);
LWHOST_DATA_EXPORT bool readInt(const bson::BSONElement& e, int& out, std::string& problem);
LWHOST_DATA_EXPORT bool readInt64(const bson::BSONElement& e, long long& out, std::string& problem);
LWHOST_DATA_EXPORT bool readDouble(const bson::BSONElement& e, double& out, std::string& problem);
LWHOST_DATA_EXPORT bool readBool(const bson::BSONElement& e, bool& out, std::string& problem);
LWHOST_DATA_EXPORT bool readIntList(const bson::BSONElement& e, std::vector<int>& out,
                                    std::string& problem);
LWHOST_DATA_EXPORT bool readObject(const bson::BSONElement& e, bson::BSONObj& out,
                                   std::string& problem);

// The same rules for a decoded JSON value; the same problems, worded alike.
LWHOST_DATA_EXPORT bool readText(const JsonValue& e, std::string& out, std::string& problem);
LWHOST_DATA_EXPORT bool readInt(const JsonValue& e, int& out, std::string& problem);
LWHOST_DATA_EXPORT bool readInt64(const JsonValue& e, long long& out, std::string& problem);
LWHOST_DATA_EXPORT bool readDouble(const JsonValue& e, double& out, std::string& problem);
LWHOST_DATA_EXPORT bool readBool(const JsonValue& e, bool& out, std::string& problem);
LWHOST_DATA_EXPORT bool readIntList(const JsonValue& e, std::vector<int>& out,
                                    std::string& problem);
// Converts the value's JSON text to BSON (the member keeps a BSON document).
LWHOST_DATA_EXPORT bool readObject(const JsonValue& e, bson::BSONObj& out, std::string& problem);

// "expected <what>, got <type>"
LWHOST_DATA_EXPORT std::string wrongType(const char* expected, const bson::BSONElement& e);
LWHOST_DATA_EXPORT std::string wrongType(const char* expected, const JsonValue& e);

// The members of an embedded document, for a custom reader written once for
// both sources.
inline bson::BSONObj membersOf(const bson::BSONElement& e) { return e.embeddedObject(); }
inline const JsonValue& membersOf(const JsonValue& e) { return e; }

// The value rule of each member kind, for both sources.
#define LW_FIELD_RULE(Name, Type, Function)                         \
  struct Name {                                                     \
    template <class E>                                              \
    static bool read(const E& e, Type& out, std::string& problem) { \
      return Function(e, out, problem);                             \
    }                                                               \
  };
LW_FIELD_RULE(TextRule, std::string, readText)
LW_FIELD_RULE(IntRule, int, readInt)
LW_FIELD_RULE(Int64Rule, long long, readInt64)
LW_FIELD_RULE(DoubleRule, double, readDouble)
LW_FIELD_RULE(BoolRule, bool, readBool)
LW_FIELD_RULE(IntListRule, std::vector<int>, readIntList)
LW_FIELD_RULE(ObjectRule, bson::BSONObj, readObject)
#undef LW_FIELD_RULE

template <class R>
class FieldList {
public:
  // Reads an element into the record; reports problems under the field name.
  using Reader = std::function<void(R&, const bson::BSONElement&, Report&)>;
  // Resets the member to its default (a null element).
  using Resetter = std::function<void(R&)>;
  using Writer = std::function<void(const R&, bson::BSONObjBuilder&)>;
  // Reads a decoded JSON value into the record (the loader's fast path).
  using JsonReader = std::function<void(R&, const JsonValue&, Report&)>;

  FieldList() = default;

  FieldList& text(const char* name, std::string R::*member) {
    return simple<std::string, TextRule>(
        name, member,
        [](bson::BSONObjBuilder& b, const char* n, const std::string& v) { b.append(n, v); });
  }
  FieldList& integer(const char* name, int R::*member) {
    return simple<int, IntRule>(
        name, member, [](bson::BSONObjBuilder& b, const char* n, int v) { b.append(n, v); });
  }
  FieldList& integer64(const char* name, long long R::*member) {
    return simple<long long, Int64Rule>(
        name, member, [](bson::BSONObjBuilder& b, const char* n, long long v) { b.append(n, v); });
  }
  FieldList& number(const char* name, double R::*member) {
    return simple<double, DoubleRule>(
        name, member, [](bson::BSONObjBuilder& b, const char* n, double v) { b.append(n, v); });
  }
  FieldList& boolean(const char* name, bool R::*member) {
    return simple<bool, BoolRule>(
        name, member, [](bson::BSONObjBuilder& b, const char* n, bool v) { b.append(n, v); });
  }
  FieldList& intList(const char* name, std::vector<int> R::*member) {
    return simple<std::vector<int>, IntListRule>(
        name, member, [](bson::BSONObjBuilder& b, const char* n, const std::vector<int>& v) {
          b.appendArray(n, v);
        });
  }
  FieldList& object(const char* name, bson::BSONObj R::*member) {
    return simple<bson::BSONObj, ObjectRule>(
        name, member,
        [](bson::BSONObjBuilder& b, const char* n, const bson::BSONObj& v) { b.append(n, v); });
  }

  // Members behind accessors (guarded or atomic members).
  FieldList& integerProperty(const char* name, int (R::*get)() const, void (R::*set)(int)) {
    return property<int, int, IntRule>(
        name, get, set, [](bson::BSONObjBuilder& b, const char* n, int v) { b.append(n, v); });
  }
  FieldList& numberProperty(const char* name, double (R::*get)() const, void (R::*set)(double)) {
    return property<double, double, DoubleRule>(
        name, get, set, [](bson::BSONObjBuilder& b, const char* n, double v) { b.append(n, v); });
  }
  FieldList& textProperty(const char* name, std::string (R::*get)() const,
                          void (R::*set)(const std::string&)) {
    return property<std::string, const std::string&, TextRule>(
        name, get, set,
        [](bson::BSONObjBuilder& b, const char* n, const std::string& v) { b.append(n, v); });
  }

  // Any other shape: the caller's reader, resetter and writer. Without a
  // JSON reader, reading the field from a decoded JSON line reports it.
  FieldList& custom(const char* name, Reader read, Resetter reset, Writer write,
                    JsonReader readJson = JsonReader()) {
    Field f;
    f.name = name;
    f.read = std::move(read);
    f.readJson = std::move(readJson);
    f.reset = std::move(reset);
    f.write = std::move(write);
    add(std::move(f));
    return *this;
  }

  // Fills `record` from the fields of `obj` (fields absent from obj leave
  // their member unchanged). Returns false when anything was reported.
  bool read(R& record, const bson::BSONObj& obj, bool ignoreUnknown, Report& report) const {
    bool ok = true;
    report.setIgnoreUnknown(ignoreUnknown);
    Seen seen(m_fields.size());
    for (const bson::BSONElement& e : obj.elements()) {
      const std::string_view name(e.fieldNameData(), e.fieldNameSize());
      const Field* f = lookUp(name, seen, report, ok);
      if (f == nullptr) continue;
      if (e.type() == bson::jstNULL) {
        f->reset(record);
        continue;
      }
      f->read(record, e, report);
    }
    return ok && report.ok();
  }
  bool read(R& record, const bson::BSONObj& obj, bool ignoreUnknown, std::string* errors) const {
    Report report(errors);
    return read(record, obj, ignoreUnknown, report);
  }
  // The same from the members of a decoded JSON object.
  bool read(R& record, const JsonValue& obj, bool ignoreUnknown, Report& report) const {
    bool ok = true;
    report.setIgnoreUnknown(ignoreUnknown);
    Seen seen(m_fields.size());
    for (const JsonValue* e = obj.first; e != nullptr; e = e->next) {
      const Field* f = lookUp(e->key, seen, report, ok);
      if (f == nullptr) continue;
      if (e->type() == bson::jstNULL) {
        f->reset(record);
        continue;
      }
      if (f->readJson) {
        f->readJson(record, *e, report);
      } else {
        report.field(e->key, "cannot be read from a JSON line");
      }
    }
    return ok && report.ok();
  }
  bool read(R& record, const JsonValue& obj, bool ignoreUnknown, std::string* errors) const {
    Report report(errors);
    return read(record, obj, ignoreUnknown, report);
  }

  void write(const R& record, bson::BSONObjBuilder& builder) const {
    for (const Field& f : m_fields) f.write(record, builder);
  }
  bson::BSONObj write(const R& record) const {
    bson::BSONObjBuilder builder;
    write(record, builder);
    return builder.obj();
  }

  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const Field& f : m_fields) out.emplace_back(f.name);
    return out;
  }
  bool has(std::string_view name) const { return m_index.count(name) != 0; }

  // The value of a default-made record, the "default" of every member.
  static const R& prototype() {
    static const R record{};
    return record;
  }

private:
  // A set of field indexes without a heap allocation for up to 128 fields.
  class Seen {
  public:
    explicit Seen(std::size_t n) {
      if (n > 128) m_more.assign(n, false);
    }
    bool test(std::size_t i) const {
      return m_more.empty() ? ((m_bits[i / 64] >> (i % 64)) & 1u) != 0 : m_more[i];
    }
    void set(std::size_t i) {
      if (m_more.empty())
        m_bits[i / 64] |= std::uint64_t{1} << (i % 64);
      else
        m_more[i] = true;
    }

  private:
    std::uint64_t m_bits[2] = {0, 0};
    std::vector<bool> m_more;
  };

  struct Field {
    const char* name = "";
    Reader read;
    JsonReader readJson;
    Resetter reset;
    Writer write;
  };

  // The field named `name`, or null when it is unknown or was seen before in
  // this document (both reported as the read's rules say; ok turns false).
  const Field* lookUp(std::string_view name, Seen& seen, Report& report, bool& ok) const {
    const auto it = m_index.find(name);
    if (it == m_index.end()) {
      if (!report.ignoreUnknown()) {
        report.field(name, "unknown field");
        ok = false;
      }
      return nullptr;
    }
    // A field given twice: the first value is kept.
    if (seen.test(it->second)) {
      report.field(name, "given more than once (the first value is kept)");
      ok = false;
      return nullptr;
    }
    seen.set(it->second);
    return &m_fields[it->second];
  }

  void add(Field f) {
    m_index.emplace(std::string_view(f.name), m_fields.size());
    m_fields.push_back(std::move(f));
  }

  template <class T, class Rule, class WriteFn>
  FieldList& simple(const char* name, T R::*member, WriteFn writeValue) {
    Field f;
    f.name = name;
    f.read = [member, name](R& r, const bson::BSONElement& e, Report& report) {
      readSimple<T, Rule>(r, member, name, e, report);
    };
    f.readJson = [member, name](R& r, const JsonValue& e, Report& report) {
      readSimple<T, Rule>(r, member, name, e, report);
    };
    f.reset = [member](R& r) { r.*member = prototype().*member; };
    f.write = [member, writeValue, name](const R& r, bson::BSONObjBuilder& b) {
      writeValue(b, name, r.*member);
    };
    add(std::move(f));
    return *this;
  }
  template <class T, class Rule, class E>
  static void readSimple(R& r, T R::*member, const char* name, const E& e, Report& report) {
    T value{};
    std::string problem;
    if (Rule::read(e, value, problem)) {
      r.*member = std::move(value);
    } else {
      r.*member = prototype().*member;
      report.field(name, problem);
    }
  }

  template <class T, class SetArg, class Rule, class WriteFn>
  FieldList& property(const char* name, T (R::*get)() const, void (R::*set)(SetArg),
                      WriteFn writeValue) {
    Field f;
    f.name = name;
    f.read = [get, set, name](R& r, const bson::BSONElement& e, Report& report) {
      readProperty<T, SetArg, Rule>(r, get, set, name, e, report);
    };
    f.readJson = [get, set, name](R& r, const JsonValue& e, Report& report) {
      readProperty<T, SetArg, Rule>(r, get, set, name, e, report);
    };
    f.reset = [get, set](R& r) { (r.*set)((prototype().*get)()); };
    f.write = [get, writeValue, name](const R& r, bson::BSONObjBuilder& b) {
      writeValue(b, name, (r.*get)());
    };
    add(std::move(f));
    return *this;
  }
  template <class T, class SetArg, class Rule, class E>
  static void readProperty(R& r, T (R::*get)() const, void (R::*set)(SetArg), const char* name,
                           const E& e, Report& report) {
    T value{};
    std::string problem;
    if (Rule::read(e, value, problem)) {
      (r.*set)(value);
    } else {
      (r.*set)((prototype().*get)());
      report.field(name, problem);
    }
  }

  std::vector<Field> m_fields;
  std::unordered_map<std::string_view, std::size_t> m_index;
};

}  // namespace fields
}  // namespace mxservice
