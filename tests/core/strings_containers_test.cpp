// Strings and growable arrays: empty-string rules, inline/heap storage, growth and removal.
#include <gtest/gtest.h>

#include "common_string.h"
#include "quellar_array.h"

TEST(CommonStringTest, NullEmptyAndDefaultAreEqualButNotIsEqualEmpty) {
  CommonString fromNull((const char*)nullptr), fromEmpty(""), byDefault;
  const CommonString* all[] = {&fromNull, &fromEmpty, &byDefault};
  for (const CommonString* a : all) {
    EXPECT_EQ(a->Length(), 0);
    EXPECT_EQ(a->GetData(), nullptr);
    EXPECT_FALSE(a->IsEqual(""));
    EXPECT_FALSE(a->IsEqual(nullptr));
    EXPECT_TRUE(*a == (const char*)nullptr);
    for (const CommonString* b : all) EXPECT_TRUE(*a == *b);
  }
}

TEST(CommonStringTest, EmptyFormatLeavesNonNullBuffer) {
  CommonString s("old");
  s.Format("%s", "");
  ASSERT_NE(s.GetData(), nullptr);
  EXPECT_EQ(s.Length(), 0);
  EXPECT_TRUE(s.IsEqual(""));
  EXPECT_TRUE(s == CommonString());
}

TEST(CommonStringTest, FormatLongerThanWorkingBufferIsNotTruncatedOrOverrun) {
  std::string big(500, 'x');
  CommonString s;
  s.Format("%s-%d", big.c_str(), 7);
  EXPECT_EQ(s.Length(), 502);
  EXPECT_TRUE(s.IsEqual((big + "-7").c_str()));
}

TEST(CommonStringTest, CopiesNeverShareBuffersAndSelfAssignmentKeepsText) {
  CommonString a("hello");
  CommonString b(a);
  EXPECT_NE(a.GetData(), b.GetData());
  b = a;
  EXPECT_NE(a.GetData(), b.GetData());
  a = a;
  a = a.GetData();
  EXPECT_TRUE(a.IsEqual("hello"));
  a = a.GetData() + 2;  // assigning from inside our own buffer
  EXPECT_TRUE(a.IsEqual("llo"));
  CommonString c('z');
  EXPECT_TRUE(c.IsEqual("z"));
}

TEST(CommonStringTest, ConcatenationAndCaseSensitiveCompare) {
  CommonString a("ab"), b("CD"), empty;
  EXPECT_TRUE((a + b).IsEqual("abCD"));
  EXPECT_TRUE((a + empty).IsEqual("ab"));
  EXPECT_TRUE((empty + b).IsEqual("CD"));
  EXPECT_FALSE(CommonString("ab") == CommonString("AB"));
  EXPECT_TRUE("ab" == a);
}

TEST(CommonStringRSTest, InlineUpToNThenExactHeapBlock) {
  std::string fifty(50, 'a'), fiftyOne(51, 'a');
  CommonStringRS<50> in(fifty.c_str()), out(fiftyOne.c_str());
  EXPECT_FALSE(in.IsOnHeap());
  EXPECT_TRUE(out.IsOnHeap());
  EXPECT_TRUE(in.IsEqual(fifty.c_str()));
  EXPECT_TRUE(out.IsEqual(fiftyOne.c_str()));
  EXPECT_FALSE(in.IsEqual(fiftyOne.c_str()));
  EXPECT_FALSE(out.IsEqual(fifty.c_str()));
  EXPECT_FALSE(in.IsEqual(nullptr));
  CommonStringRS<50> empty;
  EXPECT_TRUE(empty.IsEqual(""));
  out = in;  // back from heap to inline
  EXPECT_FALSE(out.IsOnHeap());
  EXPECT_TRUE(out == fifty.c_str());
  CommonStringRS<50> joined = in + CommonStringRS<50>("b");
  EXPECT_TRUE(joined.IsOnHeap());
  EXPECT_EQ(joined.Length(), 51);
}

TEST(QuellarArrayTest, GrowsByStepAndRemoveKeepsCapacity) {
  CQuellarArray<int*> arr(1);
  int v[4];
  for (int i = 0; i < 3; i++) arr.Add(&v[i]);
  EXPECT_EQ(arr.GetCapacity(), 3);
  arr.Add(&v[3]);
  EXPECT_EQ(arr.GetCapacity(), 4);
  arr.RemoveAt(0);
  EXPECT_EQ(arr.GetSize(), 3);
  EXPECT_EQ(arr.GetCapacity(), 4);
  EXPECT_EQ(arr.GetAt(0), &v[1]);
  EXPECT_EQ(arr.GetAt(2), &v[3]);
  EXPECT_EQ(arr.GetAt(3), nullptr);   // index == count
  EXPECT_EQ(arr.GetAt(-1), nullptr);  // negative indexes are rejected too
  EXPECT_EQ(arr.GetLast(), &v[3]);
  arr.RemoveAt(-1);
  arr.RemoveAt(3);
  EXPECT_EQ(arr.GetSize(), 3);

  CQuellarArray<int> step5(5);
  for (int i = 0; i < 6; i++) step5.Add(i);
  EXPECT_EQ(step5.GetCapacity(), 10);
}

namespace {
struct Counted {
  explicit Counted(int* c) : counter(c) {}
  virtual ~Counted() { ++*counter; }
  int* counter;
};
}  // namespace

TEST(QuellarArrayTest, ObjPtrArrayDeletesItsElementsAndStackPopsLast) {
  int deleted = 0;
  {
    CQuellarObjPtrArray<Counted*> owned(2);
    owned.Add(new Counted(&deleted));
    owned.Add(nullptr);
    owned.Add(new Counted(&deleted));
  }
  EXPECT_EQ(deleted, 2);

  CQuellarStack<int> stack;
  stack.Push(1);
  stack.Push(2);
  EXPECT_EQ(stack.Pop(), 2);
  EXPECT_EQ(stack.Pop(), 1);
  int out = 42;
  EXPECT_FALSE(stack.Pop(out));
  EXPECT_EQ(out, 42);

  Counted* p = new Counted(&deleted);
  SafeDelete(p);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(deleted, 3);
  char* mem = (char*)malloc(4);
  SafeFree(mem);
  EXPECT_EQ(mem, nullptr);
}
