// The text of the browser's URL argument, whatever VARIANT carries it.
#include <gtest/gtest.h>

#include "panel/HandOver.h"

namespace {

struct TextCase {
  const char* name;
  VARIANT value;
  const char* text;
};

VARIANT Make(VARTYPE vt) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}

LONG g_referencedNumber = 42;
BSTR g_referencedText = nullptr;

std::vector<TextCase> Cases() {
  if (!g_referencedText) g_referencedText = SysAllocString(u"http://host/clientex/bin/index.php?a=1");
  VARIANT i4 = Make(VT_I4);
  i4.lVal = -17;
  VARIANT r8 = Make(VT_R8);
  r8.dblVal = 1.5;
  VARIANT byRefI4 = Make(VT_BYREF | VT_I4);
  byRefI4.plVal = &g_referencedNumber;
  VARIANT byRefBstr = Make(VT_BYREF | VT_BSTR);
  byRefBstr.pbstrVal = &g_referencedText;
  VARIANT byRefNothing = Make(VT_BYREF | VT_BSTR);
  VARIANT boolean = Make(VT_BOOL);
  boolean.boolVal = VARIANT_TRUE;
  return {{"I4", i4, "-17"},
          {"R8", r8, "1.500000"},
          {"ByRefI4", byRefI4, "42"},
          {"ByRefBstr", byRefBstr, "http://host/clientex/bin/index.php?a=1"},
          {"ByRefToNothing", byRefNothing, ""},
          {"Empty", Make(VT_EMPTY), ""},
          {"Bool", boolean, ""},
          {"Dispatch", Make(VT_DISPATCH), ""}};
}

class VariantText : public ::testing::TestWithParam<TextCase> {};

}  // namespace

TEST_P(VariantText, FollowsTheVariantsType) {
  VARIANT v = GetParam().value;
  EXPECT_STREQ(VariantToText(&v), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, VariantText, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VariantText, StringsComeOutInTheAnsiCodePage) {
  VARIANT v = Make(VT_BSTR);
  v.bstrVal = SysAllocString(u"双线服务器");
  EXPECT_STREQ(VariantToText(&v), "双线服务器");
  VariantClear(&v);
}
