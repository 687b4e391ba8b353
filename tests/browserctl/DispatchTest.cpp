// The control's automation as containers call it: dispatch ids, kinds of
// call, arguments last first, optional ones missing in either form, and the
// platform's answers to calls it cannot take.
#include <gtest/gtest.h>

#include <functional>

#include "TestContainer.h"
#include "win32/Windows.h"

namespace browser_test {

namespace {

constexpr DISPID kNavigate = 104;
constexpr DISPID kStop = 106;
constexpr DISPID kRefresh = -550;
constexpr DISPID kSilent = 551;
constexpr HRESULT kNoNamedArgs = static_cast<HRESULT>(0x80020007L);

struct CallCase {
  const char* name;
  DISPID id;
  WORD flags;
  std::function<void(Arguments&)> arguments;
  HRESULT expected;
  UINT argErr;  // checked when the call fails for one argument
};

class Dispatch : public BrowserTest, public ::testing::WithParamInterface<CallCase> {};

void Url(Arguments& a) { a.Text(u"http://127.0.0.1:1/x"); }

}  // namespace

TEST_P(Dispatch, AnswersAsThePlatformDoes) {
  const CallCase& c = GetParam();
  Host();
  Arguments args;
  c.arguments(args);
  UINT argErr = 99;
  EXPECT_EQ(Call(c.id, c.flags, args, nullptr, &argErr), c.expected);
  if (c.expected == DISP_E_TYPEMISMATCH) {
    EXPECT_EQ(argErr, c.argErr);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Calls, Dispatch,
    ::testing::Values(
        CallCase{"UnknownMember", 200, DISPATCH_METHOD, [](Arguments&) {}, DISP_E_MEMBERNOTFOUND, 0},
        CallCase{"NavigateMissingBothWays", kNavigate, DISPATCH_METHOD,
                 [](Arguments& a) {
                   Url(a);
                   a.MissingByReference().MissingAsError().MissingByReference().MissingAsError();
                 },
                 S_OK, 0},
        CallCase{"NavigateUrlOnly", kNavigate, DISPATCH_METHOD, Url, S_OK, 0},
        CallCase{"NavigateWithoutUrl", kNavigate, DISPATCH_METHOD, [](Arguments&) {}, DISP_E_BADPARAMCOUNT, 0},
        CallCase{"NavigateSixArguments", kNavigate, DISPATCH_METHOD,
                 [](Arguments& a) {
                   Url(a);
                   for (int i = 0; i < 5; ++i) a.MissingAsError();
                 },
                 DISP_E_BADPARAMCOUNT, 0},
        // The URL is the first argument, so the last slot of rgvarg.
        CallCase{"NavigateToANumber", kNavigate, DISPATCH_METHOD,
                 [](Arguments& a) { a.Number(7).MissingByReference().MissingByReference(); }, DISP_E_TYPEMISMATCH, 2},
        CallCase{"NavigateAsPropertyGet", kNavigate, DISPATCH_PROPERTYGET, Url, DISP_E_MEMBERNOTFOUND, 0},
        CallCase{"StopWithAnArgument", kStop, DISPATCH_METHOD, [](Arguments& a) { a.Number(1); },
                 DISP_E_BADPARAMCOUNT, 0},
        CallCase{"RefreshWithANamedArgument", kRefresh, DISPATCH_METHOD,
                 [](Arguments& a) { a.Bool(true).NamedPut(); }, kNoNamedArgs, 0},
        CallCase{"SilentPutUnnamed", kSilent, DISPATCH_PROPERTYPUT, [](Arguments& a) { a.Bool(true); },
                 DISP_E_PARAMNOTFOUND, 0},
        CallCase{"SilentPutText", kSilent, DISPATCH_PROPERTYPUT, [](Arguments& a) { a.Text(u"yes").NamedPut(); },
                 DISP_E_TYPEMISMATCH, 0},
        CallCase{"SilentAsMethod", kSilent, DISPATCH_METHOD, [](Arguments&) {}, DISP_E_MEMBERNOTFOUND, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowserTest, SilentIsAPropertyThatKeepsWhatWasPut) {
  Host();
  Arguments put;
  put.Bool(true).NamedPut();
  ASSERT_EQ(Call(kSilent, DISPATCH_PROPERTYPUT, put), S_OK);
  Arguments none;
  VARIANT value;
  VariantInit(&value);
  ASSERT_EQ(Call(kSilent, DISPATCH_METHOD | DISPATCH_PROPERTYGET, none, &value), S_OK);
  EXPECT_EQ(value.vt, VT_BOOL);
  EXPECT_EQ(value.boolVal, VARIANT_TRUE);
  EXPECT_TRUE(Record()["silent"].get<bool>());
  EXPECT_EQ(m_control.dispatch->Invoke(kSilent, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                       none.Params(), &value, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

TEST_F(BrowserTest, NamesMapToTheirIdsWithoutRegardToCase) {
  Host();
  const char16_t* names[] = {u"navigate", u"SILENT", u"GoBack"};
  DISPID ids[3] = {};
  LPOLESTR pointers[3] = {const_cast<LPOLESTR>(names[0]), const_cast<LPOLESTR>(names[1]), const_cast<LPOLESTR>(names[2])};
  for (int i = 0; i < 3; ++i) {
    m_control.dispatch->GetIDsOfNames(IID_NULL, &pointers[i], 1, LOCALE_USER_DEFAULT, &ids[i]);
  }
  EXPECT_EQ(ids[0], kNavigate);
  EXPECT_EQ(ids[1], kSilent);
  EXPECT_EQ(ids[2], DISPID_UNKNOWN);
  DISPID id = 0;
  EXPECT_EQ(m_control.dispatch->GetIDsOfNames(IID_NULL, &pointers[2], 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
}

}  // namespace browser_test
