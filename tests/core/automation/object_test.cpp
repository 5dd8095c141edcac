#include "automation/object.h"

#include <gtest/gtest.h>

#include "support/error_number.h"

#include "automation/host_error.h"
#include "automation/invoke.h"
#include "automation/object_creation.h"

namespace zembrati::automation {
namespace {


// Answers "Lookup(key, out)" by writing into its second argument, as a host's registry reader
// returns a value; anything else is an unknown member.
class Lookup : public Object {
 public:
  Variant Invoke(std::string_view member, CallKind kind, std::span<Variant> args) override {
    if (!NamesEqual(member, "Lookup") || kind != CallKind::Method || args.size() != 2)
      throw HostError(438, std::string(runtime::ErrorDescription(438)));
    args[1] = "value of " + args[0].ToText();
    return 0;
  }
};

TEST(ObjectTest, ArgumentsArePassedByReference) {
  const ObjectRef lookup = std::make_shared<Lookup>();
  std::array<Variant, 2> args{Variant("ApplDir"), Variant("")};
  Invoke(lookup, "lookup", CallKind::Method, args);
  EXPECT_EQ(args[1].ToText(), "value of ApplDir");
}

TEST(ObjectTest, CallingNothingIsError91AndHostErrorsKeepTheirNumber) {
  EXPECT_EQ(testing::ErrorNumberOf([] { CallMethod(ObjectRef(), "Update"); }), 91);
  const ObjectRef lookup = std::make_shared<Lookup>();
  EXPECT_EQ(testing::ErrorNumberOf([&] { CallMethod(lookup, "Missing"); }), 438);
}

TEST(ObjectTest, NamesMatchWithoutRegardToCase) {
  EXPECT_TRUE(NamesEqual("ChildShapes", "childshapes"));
  EXPECT_FALSE(NamesEqual("Shape", "Shapes"));
}

class OneClassCreator : public ObjectCreator {
 public:
  ObjectRef CreateObject(std::string_view classId, std::string_view) override {
    return classId == "{KNOWN}" ? std::make_shared<Lookup>() : nullptr;
  }
};

TEST(ObjectTest, ObjectsAreCreatedThroughTheInstalledCreatorOnly) {
  EXPECT_EQ(testing::ErrorNumberOf([] { CreateObject("{KNOWN}", ""); }), 429);
  OneClassCreator creator;
  {
    ScopedObjectCreator scope(creator);
    EXPECT_NE(CreateObject("{KNOWN}", ""), nullptr);
    EXPECT_EQ(testing::ErrorNumberOf([] { CreateObject("{OTHER}", ""); }), 429);
  }
  EXPECT_EQ(testing::ErrorNumberOf([] { CreateObject("{KNOWN}", ""); }), 429);
}

}  // namespace
}  // namespace zembrati::automation
