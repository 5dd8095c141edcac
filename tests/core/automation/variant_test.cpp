#include "automation/variant.h"

#include <gtest/gtest.h>

#include "support/error_number.h"

#include "automation/object.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

namespace zembrati::automation {
namespace {


class Dummy : public Object {
 public:
  Variant Invoke(std::string_view, CallKind, std::span<Variant>) override { return {}; }
  std::string ClassName() const override { return "Dummy"; }
};

TEST(VariantTest, KeepsTheExactTypeItWasMadeWith) {
  EXPECT_EQ(Variant().type(), VariantType::Empty);
  EXPECT_EQ(Variant::Nothing().type(), VariantType::Nothing);
  EXPECT_EQ(Variant(std::int16_t{0}).type(), VariantType::Integer);
  EXPECT_EQ(Variant(0).type(), VariantType::Long);
  EXPECT_EQ(Variant(0.0).type(), VariantType::Double);
  EXPECT_EQ(Variant(false).type(), VariantType::Boolean);
  EXPECT_EQ(Variant("x").type(), VariantType::Text);
  EXPECT_EQ(Variant(ObjectRef(std::make_shared<Dummy>())).type(), VariantType::Object);
  EXPECT_EQ(Variant(ObjectRef()).type(), VariantType::Nothing);
  EXPECT_FALSE(Variant(std::int16_t{0}) == Variant(0));
  EXPECT_FALSE(Variant(0) == Variant(0.0));
  EXPECT_TRUE(Variant(std::int16_t{3}) == Variant(std::int16_t{3}));
}

TEST(VariantTest, DescribesItselfWithItsType) {
  EXPECT_EQ(Variant(std::int16_t{5}).Describe(), "I2 5");
  EXPECT_EQ(Variant(23).Describe(), "I4 23");
  EXPECT_EQ(Variant(-2.5).Describe(), "R8 -2.5");
  EXPECT_EQ(Variant(true).Describe(), "B True");
  EXPECT_EQ(Variant("HEA").Describe(), "S \"HEA\"");
  EXPECT_EQ(Variant().Describe(), "Empty");
  EXPECT_EQ(Variant::Nothing().Describe(), "Nothing");
  EXPECT_EQ(Variant(ObjectRef(std::make_shared<Dummy>())).Describe(), "Object Dummy");
}

TEST(VariantTest, NumbersConvertByTheRuntimeRules) {
  EXPECT_EQ(Variant(true).ToDouble(), -1.0);
  EXPECT_EQ(Variant().ToDouble(), 0.0);
  EXPECT_EQ(Variant(" 12.5 ").ToDouble(), 12.5);
  EXPECT_EQ(Variant("-1e3").ToDouble(), -1000.0);
  EXPECT_EQ(Variant(2.5).ToInteger(), 2);
  EXPECT_EQ(Variant(3.5).ToLong(), 4);
  EXPECT_EQ(Variant("7").ToInteger(), 7);
  EXPECT_EQ(testing::ErrorNumberOf([] { Variant(40000).ToInteger(); }), 6);
  EXPECT_EQ(testing::ErrorNumberOf([] { Variant("12abc").ToDouble(); }), 13);
  EXPECT_EQ(testing::ErrorNumberOf([] { Variant("").ToDouble(); }), 13);
  EXPECT_EQ(testing::ErrorNumberOf([] { Variant("inf").ToDouble(); }), 13);
  EXPECT_EQ(testing::ErrorNumberOf([] { Variant::Nothing().ToDouble(); }), 13);
}

TEST(VariantTest, TextFollowsTheUsersDecimalSeparator) {
  EXPECT_EQ(Variant(1500.0).ToText(), "1500");
  EXPECT_EQ(Variant(std::int16_t{-3}).ToText(), "-3");
  EXPECT_EQ(Variant(false).ToText(), "False");
  runtime::SetUserDecimalSeparator(',');
  EXPECT_EQ(Variant(12.5).ToText(), "12,5");
  EXPECT_EQ(Variant("12,5").ToDouble(), 12.5);
  runtime::SetUserDecimalSeparator('.');
  EXPECT_EQ(testing::ErrorNumberOf([] { Variant(ObjectRef(std::make_shared<Dummy>())).ToText(); }), 13);
}

TEST(VariantTest, BooleansAndObjects) {
  EXPECT_TRUE(Variant("true").ToBoolean());
  EXPECT_FALSE(Variant("False").ToBoolean());
  EXPECT_TRUE(Variant(std::int16_t{-1}).ToBoolean());
  EXPECT_FALSE(Variant().ToBoolean());
  EXPECT_EQ(testing::ErrorNumberOf([] { Variant("maybe").ToBoolean(); }), 13);

  EXPECT_EQ(Variant::Nothing().ToObject(), nullptr);
  EXPECT_EQ(testing::ErrorNumberOf([] { Variant(1).ToObject(); }), 424);
  const ObjectRef object = std::make_shared<Dummy>();
  EXPECT_TRUE(Variant(object) == Variant(object));
  EXPECT_FALSE(Variant(object) == Variant(ObjectRef(std::make_shared<Dummy>())));
}

TEST(VariantTest, NullIsNoValueToConvert) {
  const Variant null = Variant::Null();
  EXPECT_EQ(null.type(), VariantType::Null);
  EXPECT_TRUE(null.IsNull());
  EXPECT_FALSE(null.IsEmpty());
  EXPECT_EQ(testing::ErrorNumberOf([&] { null.ToDouble(); }), 94);
  EXPECT_EQ(testing::ErrorNumberOf([&] { null.ToText(); }), 94);
  EXPECT_EQ(testing::ErrorNumberOf([&] { null.ToInteger(); }), 94);
  EXPECT_EQ(testing::ErrorNumberOf([&] { null.ToObject(); }), 424);
  EXPECT_EQ(null.Describe(), "Null");
  EXPECT_TRUE(null == Variant::Null());
  EXPECT_FALSE(null == Variant());
}

}  // namespace
}  // namespace zembrati::automation
