#include "host/bson/bsondetail_p.h"

#include <limits>

namespace bson {

struct BSONObjBuilder::Impl {
  bson_t* doc = bson_new();
  bool done = false;
  BSONObj result;

  ~Impl() {
    if (doc) bson_destroy(doc);
  }
  bson_t* open() {
    if (done) throw BSONError("BSONObjBuilder: obj() was already called");
    return doc;
  }
  static void check(bool ok, const std::string& key) {
    if (!ok)
      throw BSONError("BSONObjBuilder: cannot append field \"" + key + "\" (document too large)");
  }
};

BSONObjBuilder::BSONObjBuilder() : m_impl(new Impl) {}
BSONObjBuilder::~BSONObjBuilder() = default;

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, const std::string& value) {
  bson_t* doc = m_impl->open();
  const std::string key = detail::sanitizeKey(name);
  const std::string text = detail::sanitizeUtf8(value);
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() - 64)) {
    throw BSONError("BSONObjBuilder: text of field \"" + key + "\" is too long");
  }
  Impl::check(bson_append_utf8(doc, key.c_str(), static_cast<int>(key.size()), text.data(),
                               static_cast<int>(text.size())),
              key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, const char* value) {
  return append(name, std::string(value ? value : ""));
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, int value) {
  bson_t* doc = m_impl->open();
  const std::string key = detail::sanitizeKey(name);
  Impl::check(bson_append_int32(doc, key.c_str(), static_cast<int>(key.size()), value), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, long long value) {
  bson_t* doc = m_impl->open();
  const std::string key = detail::sanitizeKey(name);
  Impl::check(bson_append_int64(doc, key.c_str(), static_cast<int>(key.size()), value), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, double value) {
  bson_t* doc = m_impl->open();
  const std::string key = detail::sanitizeKey(name);
  Impl::check(bson_append_double(doc, key.c_str(), static_cast<int>(key.size()), value), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, bool value) {
  bson_t* doc = m_impl->open();
  const std::string key = detail::sanitizeKey(name);
  Impl::check(bson_append_bool(doc, key.c_str(), static_cast<int>(key.size()), value), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::append(const std::string& name, const BSONObj& subObject) {
  bson_t* doc = m_impl->open();
  const std::string key = detail::sanitizeKey(name);
  bson_t sub;
  if (!bson_init_static(&sub, subObject.objdata(), subObject.objsize())) {
    throw BSONError("BSONObjBuilder: corrupt sub-document for field \"" + key + "\"");
  }
  Impl::check(bson_append_document(doc, key.c_str(), static_cast<int>(key.size()), &sub), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::appendArray(const std::string& name,
                                            const std::vector<int>& values) {
  bson_t* doc = m_impl->open();
  const std::string key = detail::sanitizeKey(name);
  bson_t child;
  Impl::check(bson_append_array_begin(doc, key.c_str(), static_cast<int>(key.size()), &child), key);
  char indexBuffer[16];
  for (std::size_t i = 0; i < values.size(); ++i) {
    const char* indexKey = nullptr;
    const std::size_t indexLength = bson_uint32_to_string(static_cast<std::uint32_t>(i), &indexKey,
                                                          indexBuffer, sizeof indexBuffer);
    bson_append_int32(&child, indexKey, static_cast<int>(indexLength), values[i]);
  }
  Impl::check(bson_append_array_end(doc, &child), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::appendNull(const std::string& name) {
  bson_t* doc = m_impl->open();
  const std::string key = detail::sanitizeKey(name);
  Impl::check(bson_append_null(doc, key.c_str(), static_cast<int>(key.size())), key);
  return *this;
}

BSONObjBuilder& BSONObjBuilder::appendElement(const BSONElement& element) {
  bson_t* doc = m_impl->open();
  bson_iter_t iter;
  if (!element.initIter(&iter)) return *this;  // the end-of-object element adds nothing
  Impl::check(bson_append_iter(doc, nullptr, 0, &iter), element.fieldName());
  return *this;
}

BSONObj BSONObjBuilder::obj() {
  if (m_impl->done) return m_impl->result;
  const std::uint8_t* data = bson_get_data(m_impl->doc);
  auto buffer = std::make_shared<detail::Buffer>(data, data + m_impl->doc->len);
  const std::size_t size = buffer->size();
  m_impl->result = BSONObj(std::move(buffer), 0, size);
  bson_destroy(m_impl->doc);
  m_impl->doc = nullptr;
  m_impl->done = true;
  return m_impl->result;
}

}  // namespace bson
