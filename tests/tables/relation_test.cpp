// The relation table: what AddRelation records, refuses and finds, and its
// limit of 32,767 items.
#include <gtest/gtest.h>

#include <memory>

#include "chardata/uRalation_CC.h"

namespace bushou {
namespace {

using Targets = std::vector<std::uint32_t>;

TEST(Relation, RefusesKindZeroAndCodesBeyondTheTable) {
  auto r = std::make_unique<TRalationCC>();
  EXPECT_FALSE(r->AddRelation(0, 0x4E07, 0x842C));
  EXPECT_FALSE(r->AddRelation(rkSimplifiedToTraditional, 0x30000, 0x842C));
  EXPECT_FALSE(r->AddRelation(rkSimplifiedToTraditional, 0x4E07, 0x30000));
  EXPECT_EQ(r->ItemCount(), 0);
  EXPECT_EQ(r->CodeRefs(0x4E07).RefCount, 0);
  EXPECT_EQ(r->FindRelation(0x30000, rkSimplifiedToTraditional), nullptr);
  // The highest code point with an entry is accepted.
  EXPECT_TRUE(r->AddRelation(rkSimplifiedToTraditional, 0x2FFFF, 0x2FFFF));
}

TEST(Relation, TargetsAreKeptOnceInOrder) {
  auto r = std::make_unique<TRalationCC>();
  EXPECT_TRUE(r->AddRelation(rkSimplifiedToTraditional, 0x53F0, 0x81FA));
  EXPECT_TRUE(r->AddRelation(rkSimplifiedToTraditional, 0x53F0, 0x6AAF));
  EXPECT_FALSE(r->AddRelation(rkSimplifiedToTraditional, 0x53F0, 0x81FA));  // already there
  EXPECT_TRUE(r->AddRelation(rkSimplifiedToTraditional, 0x53F0, 0x98B1));
  const auto* item = r->FindRelation(0x53F0, rkSimplifiedToTraditional);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Kind, rkSimplifiedToTraditional);
  EXPECT_EQ(item->Targets, (Targets{0x81FA, 0x6AAF, 0x98B1}));
  EXPECT_EQ(r->ItemCount(), 1);
}

TEST(Relation, OneItemPerSourceAndKind) {
  auto r = std::make_unique<TRalationCC>();
  EXPECT_TRUE(r->AddRelation(rkTraditionalToSimplified, 0x4E07, 0x4E07));
  EXPECT_TRUE(r->AddRelation(rkSimplifiedToTraditional, 0x4E07, 0x842C));
  EXPECT_TRUE(r->AddRelation(7, 0x4E07, 0x1));  // any kind but 0
  const auto& refs = r->CodeRefs(0x4E07);
  ASSERT_EQ(refs.RefCount, 3);
  EXPECT_EQ(refs.Refs, (std::vector<std::int32_t>{0, 1, 2}));  // creation order
  const auto* toTrad = r->FindRelation(0x4E07, rkSimplifiedToTraditional);
  ASSERT_NE(toTrad, nullptr);
  EXPECT_EQ(toTrad->Targets, Targets{0x842C});
  EXPECT_EQ(r->FindRelation(0x4E07, 3), nullptr);
  EXPECT_EQ(r->FindRelation(0x842C, rkSimplifiedToTraditional), nullptr);
}

TEST(Relation, LimitOf32767Items) {
  auto r = std::make_unique<TRalationCC>();
  for (std::uint32_t code = 0; code < 32767; ++code) {
    ASSERT_TRUE(r->AddRelation(rkSimplifiedToTraditional, code, 0x4E00)) << code;
  }
  EXPECT_EQ(r->ItemCount(), 32767);
  // A new source, and a new kind for a known source, are refused.
  EXPECT_FALSE(r->AddRelation(rkSimplifiedToTraditional, 40000, 0x4E00));
  EXPECT_FALSE(r->AddRelation(rkTraditionalToSimplified, 5, 0x4E00));
  EXPECT_EQ(r->CodeRefs(40000).RefCount, 0);
  EXPECT_EQ(r->Item(32767).Kind, 0);  // the last slot stays empty
  // A new target for an existing item is still added.
  EXPECT_TRUE(r->AddRelation(rkSimplifiedToTraditional, 5, 0x4E01));
  EXPECT_EQ(r->FindRelation(5, rkSimplifiedToTraditional)->Targets, (Targets{0x4E00, 0x4E01}));
  EXPECT_EQ(r->ItemCount(), 32767);
}

TEST(Relation, ProcessWideTable) {
  TRalationCC& r = GetRalationCC();
  EXPECT_EQ(&r, &GetRalationCC());
  EXPECT_EQ(r.ItemCount(), 0);
  r.AddRelation(rkSimplifiedToTraditional, 0x4E07, 0x842C);
  FreeRalationCC();
  EXPECT_EQ(GetRalationCC().ItemCount(), 0);  // created anew, empty
}

}  // namespace
}  // namespace bushou
