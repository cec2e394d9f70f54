// One BSONObj read by many threads at once: copies, lookups, embedded
// documents and JSON, with no synchronisation (labelled "concurrency": runs
// under ThreadSanitizer too).
#include "host/bson/bsonobj.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(BsonObjConcurrency, manyReadersShareOneDocument) {
  const bson::BSONObj shared = bson::BSONObj::fromJson(
      R"({"commandId": 1001, "params": {"btdparam": {"bondCode": "2400123", "bidRate": 2.05}}, "list": [1, 2, 3]})");
  const std::string expectedJson = shared.jsonString();
  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 2000; ++i) {
        bson::BSONObj copy = shared;  // shares the buffer
        const bson::BSONObj btd = copy.getFieldDotted("params.btdparam").embeddedObject();
        if (btd["bondCode"].String() != "2400123") ++mismatches;
        if (copy["commandId"].numberInt() != 1001) ++mismatches;
        if (copy["list"].embeddedObject().nFields() != 3) ++mismatches;
        if (i % 100 == 0 && copy.jsonString() != expectedJson) ++mismatches;
        bson::BSONObjBuilder b;
        b.append("btdparam", btd);
        if (b.obj()["btdparam"].embeddedObject() != btd) ++mismatches;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(mismatches.load(), 0);
}

TEST(BsonObjConcurrency, elementsOutliveTheLastOwnerOnAnotherThread) {
  for (int round = 0; round < 200; ++round) {
    auto* owner = new bson::BSONObj(bson::BSONObj::fromJson(R"({"a": {"b": "text"}})"));
    const bson::BSONElement element = (*owner)["a"];
    std::thread reader([element] { EXPECT_EQ(element.embeddedObject()["b"].String(), "text"); });
    delete owner;
    reader.join();
  }
}
