// The owners of Windows resources release each resource once, and never one
// that was handed on.
#include "win_owners.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace rxTheme::com {
namespace {

// An object that counts its references and answers for IUnknown only.
class Counted : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  ULONG refs = 1;  // the test's own
};

TEST(ComRefTest, HoldsOneReferenceWhereverItGoes) {
  Counted object;
  {
    ComRef<IUnknown> shared(&object);
    EXPECT_EQ(object.refs, 2u);
    ComRef<IUnknown> copy = shared;
    EXPECT_EQ(object.refs, 3u);
    ComRef<IUnknown> moved = std::move(copy);
    EXPECT_EQ(object.refs, 3u);
    EXPECT_FALSE(copy);
    moved = nullptr;
    EXPECT_EQ(object.refs, 2u);
    ComRef<IUnknown> asked;
    EXPECT_EQ(shared.As(asked), S_OK);
    EXPECT_EQ(asked.Get(), &object);
    EXPECT_EQ(object.refs, 3u);
    ComRef<IDispatch> refused;
    EXPECT_EQ(QueryInto(&object, refused), E_NOINTERFACE);
    EXPECT_FALSE(refused);
    // An out-parameter slot gives up what it held before it is filled.
    EXPECT_EQ(object.QueryInterface(IID_IUnknown, asked.PutVoid()), S_OK);
    EXPECT_EQ(object.refs, 3u);
  }
  EXPECT_EQ(object.refs, 1u);

  object.AddRef();
  IUnknown* handed = ComRef<IUnknown>::Adopt(&object).Detach();
  EXPECT_EQ(handed, &object);
  EXPECT_EQ(object.refs, 2u);  // the adopted reference went on with Detach
  ComRef<IUnknown>::Adopt(handed);
  EXPECT_EQ(object.refs, 1u);
}

std::vector<int> g_closed;
struct TestTraits {
  using Handle = int;
  static int Empty() { return 0; }
  static void Close(int handle) { g_closed.push_back(handle); }
};

TEST(UniqueHandleTest, ClosesEachHandleOnceAndNoneHandedOn) {
  g_closed.clear();
  {
    UniqueHandle<TestTraits> first(1);
    UniqueHandle<TestTraits> second(2);
    second = std::move(first);  // 2 closes, 1 moves on
    EXPECT_EQ(g_closed, std::vector<int>{2});
    EXPECT_FALSE(first);
    *second.Put() = 3;  // 1 closes before the slot is filled
    EXPECT_EQ(g_closed, (std::vector<int>{2, 1}));
    UniqueHandle<TestTraits> handed(4);
    EXPECT_EQ(handed.Release(), 4);
  }
  EXPECT_EQ(g_closed, (std::vector<int>{2, 1, 3}));
}

TEST(UniqueVariantTest, ReleasesWhatItHolds) {
  Counted object;
  {
    UniqueVariant value;
    V_UNKNOWN(value.Get()) = ComRef<IUnknown>(&object).Detach();
    V_VT(value.Get()) = VT_UNKNOWN;
    UniqueVariant copy;
    ASSERT_EQ(VariantCopy(copy.Get(), value.Get()), S_OK);
    EXPECT_EQ(object.refs, 3u);
  }
  EXPECT_EQ(object.refs, 1u);
}

}  // namespace
}  // namespace rxTheme::com
