#include "display/hash_collection.h"
#include "display/picture_collection.h"

#include <gtest/gtest.h>

namespace {

TEST(HashCollectionTest, BucketsFollowTheNameHash) {
  EXPECT_EQ(THashCollection::HashOf("BrIm"), 11);
  EXPECT_EQ(THashCollection::HashOf("brim"), 11);
  EXPECT_EQ(THashCollection::HashOf("x"), 16);
  EXPECT_EQ(THashCollection::HashOf(""), 0);
}

TEST(HashCollectionTest, FindIgnoresCaseAndNamesWhatIsMissing) {
  TPictureCollection items;
  TPictureCollectionItem *grid = items.Add();
  grid->SetName("BrIm");
  TPictureCollectionItem *other = items.Add();
  other->SetName("bRiM2");
  EXPECT_EQ(items.Find("brim"), grid);
  EXPECT_EQ(items.Find("BRIM"), grid);
  EXPECT_EQ(items.Find("brim2"), other);
  try {
    items.Find("Knob");
    FAIL();
  } catch (const EPictureCollectionError &e) {
    EXPECT_EQ(e.Message(), "Image 'Knob' not found");
  }
}

TEST(HashCollectionTest, ItemsOfOneBucketAreAllFound) {
  THashCollection items;
  for (const char *name : {"a", "b", "c"}) // one-letter names share bucket 16
    (new THashCollectionItem(&items))->SetName(name);
  EXPECT_EQ(items.IndexOf("a"), 0);
  EXPECT_EQ(items.IndexOf("b"), 1);
  EXPECT_EQ(items.IndexOf("C"), 2);
  items.Items(1)->SetName("bb");
  EXPECT_EQ(items.IndexOf("b"), -1);
  EXPECT_EQ(items.IndexOf("bb"), 1);
}

TEST(HashCollectionTest, DeletingRenumbersTheItemsAfterIt) {
  THashCollection items;
  for (const char *name : {"one", "two", "three", "four"})
    (new THashCollectionItem(&items))->SetName(name);
  items.Delete(1);
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items.IndexOf("two"), -1);
  EXPECT_EQ(items.IndexOf("three"), 1);
  EXPECT_EQ(items.IndexOf("four"), 2);
  EXPECT_EQ(items.Items(2)->Name(), "four");
  EXPECT_EQ(items.Items(2)->Index(), 2);
  items.Items(2)->SetIndex(0);
  EXPECT_EQ(items.IndexOf("four"), 0);
  EXPECT_EQ(items.IndexOf("one"), 1);
  EXPECT_EQ(items.IndexOf("three"), 2);
}

} // namespace
