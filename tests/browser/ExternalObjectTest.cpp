// The external object that pages reach: one read-only property.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/ImpIDispatch.h"

namespace {

constexpr DISPID kMember = 12345;

struct NamesCase {
  const char* name;
  std::vector<std::u16string> names;
  std::vector<DISPID> ids;
  HRESULT result;
};

class ExternalNames : public ::testing::TestWithParam<NamesCase> {};

std::u16string Read(const VARIANT& v) { return v.vt == VT_BSTR ? std::u16string(v.bstrVal) : u"(not a string)"; }

}  // namespace

TEST_P(ExternalNames, MatchOnTheFirstThreeCharactersIgnoringWidth) {
  CImpIDispatch external;
  const NamesCase& c = GetParam();
  std::vector<LPOLESTR> names;
  for (const std::u16string& n : c.names) names.push_back(const_cast<LPOLESTR>(n.c_str()));
  std::vector<DISPID> ids(names.size(), 777);
  EXPECT_EQ(external.GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()), LOCALE_USER_DEFAULT,
                                   ids.data()),
            c.result);
  EXPECT_EQ(ids, c.ids);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExternalNames,
    ::testing::Values(NamesCase{"Exact", {u"xxyyzz"}, {kMember}, S_OK},
                      NamesCase{"SamePrefix", {u"xxyabc"}, {kMember}, S_OK},
                      NamesCase{"ThreeCharacters", {u"xxy"}, {kMember}, S_OK},
                      NamesCase{"Capitals", {u"XXYYZZ"}, {DISPID_UNKNOWN}, DISP_E_UNKNOWNNAME},
                      NamesCase{"TwoCharacters", {u"xx"}, {DISPID_UNKNOWN}, DISP_E_UNKNOWNNAME},
                      NamesCase{"Empty", {u""}, {DISPID_UNKNOWN}, DISP_E_UNKNOWNNAME},
                      NamesCase{"FullWidth", {u"\xFF58\xFF58\xFF59zz"}, {kMember}, S_OK},
                      NamesCase{"SecondDoesNotMatch", {u"xxyyzz", u"other"}, {kMember, DISPID_UNKNOWN},
                                DISP_E_UNKNOWNNAME}),
    [](const auto& info) { return std::string(info.param.name); });

struct InvokeCase {
  const char* name;
  DISPID member;
  WORD flags;
  bool answers;
};

class ExternalInvoke : public ::testing::TestWithParam<InvokeCase> {};

TEST_P(ExternalInvoke, OnlyAPropertyGetOfTheMemberAnswers) {
  CImpIDispatch external;
  const InvokeCase& c = GetParam();
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(external.Invoke(c.member, IID_NULL, LOCALE_USER_DEFAULT, c.flags, &none, &result, nullptr, nullptr), S_OK);
  if (c.answers) {
    EXPECT_EQ(Read(result), u"Wibble");
  } else {
    EXPECT_EQ(result.vt, VT_EMPTY);
  }
  VariantClear(&result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExternalInvoke,
    ::testing::Values(InvokeCase{"PropertyGet", kMember, DISPATCH_PROPERTYGET, true},
                      InvokeCase{"MethodAndPropertyGet", kMember, DISPATCH_METHOD | DISPATCH_PROPERTYGET, true},
                      InvokeCase{"MethodOnly", kMember, DISPATCH_METHOD, false},
                      InvokeCase{"PropertyPut", kMember, DISPATCH_PROPERTYPUT, false},
                      InvokeCase{"OtherMember", 1, DISPATCH_PROPERTYGET, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExternalObject, WithoutAResultSlotSucceedsAndAllocatesNothing) {
  CImpIDispatch external;
  EXPECT_EQ(external.Invoke(kMember, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, nullptr, nullptr, nullptr), S_OK);
}

TEST(ExternalObject, AnswersForIUnknownAndIDispatchOnlyAndNeverFreesItself) {
  CImpIDispatch external;
  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(external.QueryInterface(IID_IUnknown, &p), S_OK);
  EXPECT_EQ(p, &external);
  EXPECT_EQ(external.QueryInterface(IID_IDispatch, &p), S_OK);
  EXPECT_EQ(external.QueryInterface(IID_IStream, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(external.Release(), 1u);
  EXPECT_EQ(external.Release(), 0u);
  // More releases than references: the count goes on down, the object stays.
  EXPECT_EQ(external.Release(), static_cast<ULONG>(-1));
  EXPECT_EQ(external.AddRef(), 0u);
  UINT count = 99;
  EXPECT_EQ(external.GetTypeInfoCount(&count), E_NOTIMPL);
  EXPECT_EQ(count, 99u);
}
