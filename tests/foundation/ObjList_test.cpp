#include "foundation/ObjList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace aw {
namespace {

struct Item
{
  int key;
  char tag;
  static inline int destroyed = 0;
  ~Item() { ++destroyed; }
};

std::string Tags(const ObjectList<Item>& lst)
{
  std::string tags;
  for (const Item* item : lst)
    tags += item->tag;
  return tags;
}

class ObjectListTest : public ::testing::Test
{
protected:
  // Keys and tags of the items of the fixture, in list order.
  std::vector<Item> items{{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}, {0, 'e'}, {2, 'f'}};
  ObjectList<Item> list;
  void SetUp() override
  {
    for (Item& item : items)
      list.Add(&item);
  }
};

TEST_F(ObjectListTest, SortLeavesEqualItemsInTheOrderOfTheGapExchangeSort)
{
  // The order of equal keys (d before b, c before a) is what the offered-unit
  // lists show, so a different sort algorithm would show up to the user.
  list.Sort([](const Item* p1, const Item* p2) { return p1->key < p2->key; });
  EXPECT_EQ(Tags(list), "edbcaf");
}

TEST_F(ObjectListTest, SortPassesExtraDataAndHandlesTrivialLists)
{
  const int direction = -1;
  list.Sort([](const Item* p1, const Item* p2, int nDir) { return nDir * p1->key < nDir * p2->key; }, direction);
  EXPECT_EQ(list.First()->key, 2);
  EXPECT_EQ(list.Last()->key, 0);

  ObjectList<Item> empty;
  empty.Sort([](const Item*, const Item*) { return true; });
  EXPECT_EQ(empty.Count(), 0);
  ObjectList<Item> one{&items[0]};
  one.Sort([](const Item*, const Item*) { return true; });
  EXPECT_EQ(Tags(one), "a");

  list.Sort([](const Item*, const Item*) { return false; });
  const std::string before = Tags(list);
  list.Sort([](const Item*, const Item*) { return false; });
  EXPECT_EQ(Tags(list), before);
}

TEST_F(ObjectListTest, SearchFilterAndApplyFamilies)
{
  struct Case
  {
    int key;
    char firstTag;
    int firstIndex;
    std::string filtered;
  };
  const Case cases[] = {{2, 'a', 0, "acf"}, {1, 'b', 1, "bd"}, {0, 'e', 4, "e"}, {7, 0, -1, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    auto hasKey = [](const Item* p, int nKey) { return p->key == nKey; };
    const Item* found = list.Search(hasKey, c.key);
    EXPECT_EQ(found ? found->tag : 0, c.firstTag);
    EXPECT_EQ(list.SearchIndex(hasKey, c.key), c.firstIndex);
    EXPECT_EQ(Tags(list.Filter(hasKey, c.key)), c.filtered);
  }

  // Two data items, and a bound method as a captured object.
  int sum = 0;
  list.Apply([&sum](const Item* p, int nMul, int nAdd) { sum += p->key * nMul + nAdd; }, 10, 1);
  EXPECT_EQ(sum, 80 + 6);

  ObjectList<Item> empty;
  EXPECT_EQ(empty.SearchIndex([](const Item*) { return true; }), -1);
  EXPECT_EQ(empty.Search([](const Item*) { return true; }), nullptr);
}

TEST_F(ObjectListTest, IndexErrorsAndReferenceOperations)
{
  EXPECT_THROW(list.Items(6), std::out_of_range);
  EXPECT_THROW(list.Items(-1), std::out_of_range);
  EXPECT_THROW(list.Insert(7, &items[0]), std::out_of_range);
  list.Exchange(0, 5);
  EXPECT_EQ(Tags(list), "fbcdea");
  list.Delete(0);
  EXPECT_FALSE(list.Contains(&items[5]));
  ObjectList<Item> copy;
  copy.AddObjects(list);
  copy.AddObjects(list);
  EXPECT_EQ(Tags(copy), "bcdeabcdea");
}

TEST(ObjectListOwnership, ReleaseListFreesItemsAndResetsTheVariable)
{
  Item::destroyed = 0;
  auto* lst = new ObjectList<Item>{new Item{1, 'x'}, new Item{2, 'y'}};
  ObjectList<Item>::ReleaseList(lst);
  EXPECT_EQ(lst, nullptr);
  EXPECT_EQ(Item::destroyed, 2);
  ObjectList<Item>::ReleaseList(lst); // none: nothing happens
  EXPECT_EQ(Item::destroyed, 2);

  {
    OwningObjectList<Item> owning;
    owning.Add(new Item{3, 'z'});
  }
  EXPECT_EQ(Item::destroyed, 3);
}

} // namespace
} // namespace aw
