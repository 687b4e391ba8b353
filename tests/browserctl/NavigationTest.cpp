// The control's navigation: asynchronous, reported through the container's
// event sink, drawn as a plain page; stopped, refreshed, followed by clicks
// and by pages.
#include <gtest/gtest.h>

#include "TestContainer.h"
#include "desktop/Desktop.h"
#include "ole/ComObject.h"
#include "win32/Windows.h"

namespace browser_test {

namespace {

constexpr char kStartPage[] = "/quom/wd/index.html";
constexpr char kMarker[] = "clientex/bin/index.php?";

POINT Centre(const nlohmann::json& rect) {
  return {(rect[0].get<LONG>() + rect[2].get<LONG>()) / 2, (rect[1].get<LONG>() + rect[3].get<LONG>()) / 2};
}

std::string Click(POINT p) { return "click " + std::to_string(p.x) + " " + std::to_string(p.y); }

using Navigation = BrowserTest;

}  // namespace

TEST_F(Navigation, CompletesWhenTheWindowTakesItsMessageAndReportsFrameAndUrl) {
  Host();
  const std::string url = s_portal->Url(kStartPage);
  Navigate(url);
  EXPECT_TRUE(m_sink.events.empty()) << "Navigate returns before the page is fetched";
  Pump();
  ASSERT_EQ(m_sink.events.size(), 1u);
  const FiredEvent& e = m_sink.events[0];
  EXPECT_EQ(e.id, DISPID_NAVIGATECOMPLETE2);
  EXPECT_EQ(e.argumentCount, 2u);
  EXPECT_EQ(e.frameType, VT_DISPATCH);
  EXPECT_EQ(e.frame, m_control.dispatch);
  EXPECT_EQ(e.urlType, VT_VARIANT | VT_BYREF);
  EXPECT_EQ(e.urlValueType, VT_BSTR);
  EXPECT_EQ(e.url, url);

  nlohmann::json record = Record();
  EXPECT_EQ(record["url"], url);
  EXPECT_EQ(record["title"], "Duskmere 服务器列表");
  EXPECT_EQ(record["navigations"], nlohmann::json::array({url}));
  EXPECT_EQ(record["dialog"], 132);
  EXPECT_EQ(record["control"], 1001);
  ASSERT_EQ(record["links"].size(), 4u);
  EXPECT_NE(record["links"][0]["url"].get<std::string>().find(kMarker), std::string::npos);
  EXPECT_EQ(record["links"][0]["text"], "双线12服 青岚");
  // White paper, and the link drawn in its colour where the dump says it is.
  RECT r = ControlRect();
  EXPECT_EQ(ScreenPixel({r.right - 30, r.bottom - 5}), 0xFFFFFFu);
  const nlohmann::json& linkRect = record["links"][0]["rect"];
  bool inked = false;
  for (LONG x = linkRect[0]; x < linkRect[0].get<LONG>() + 80 && !inked; ++x)
    for (LONG y = linkRect[1]; y < linkRect[3] && !inked; ++y) inked = ScreenPixel({x, y}) != 0xFFFFFFu;
  EXPECT_TRUE(inked);
}

TEST_F(Navigation, APageThatCannotBeFetchedShowsAnErrorAndStillCompletes) {
  Host();
  const std::string url = "http://127.0.0.1:1/nothing-listens-here";
  Navigate(url);
  Pump();
  ASSERT_EQ(m_sink.events.size(), 1u);
  EXPECT_EQ(m_sink.events[0].url, url);
  nlohmann::json record = Record();
  EXPECT_EQ(record["title"], "The page cannot be displayed");
  EXPECT_EQ(record["navigations"], nlohmann::json::array({url}));
  EXPECT_TRUE(record["links"].empty());
}

TEST_F(Navigation, StopCancelsWhatHasNotCompletedAndRefreshFetchesAgainWithoutAnEvent) {
  Host();
  Arguments none;
  Navigate(s_portal->Url("/stopped"));
  ASSERT_EQ(Call(106, DISPATCH_METHOD, none), S_OK);
  Pump();
  EXPECT_TRUE(m_sink.events.empty());
  EXPECT_TRUE(Record()["navigations"].empty());

  Navigate(s_portal->Url("/refreshed"));
  Pump();
  ASSERT_EQ(Call(-550, DISPATCH_METHOD, none), S_OK);
  Pump();
  EXPECT_EQ(m_sink.events.size(), 1u);
  nlohmann::json record = Record();
  EXPECT_EQ(record["stops"], 1);
  EXPECT_EQ(record["refreshes"], 1);
  std::vector<std::string> requests = s_portal->Requests();
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "GET /refreshed HTTP/1.1"), 2);
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "GET /stopped HTTP/1.1"), 0);
}

TEST_F(Navigation, AStopFromTheEventHandlerLeavesTheCompletedPage) {
  Host();
  m_sink.onEvent = [this] {
    Arguments none;
    EXPECT_EQ(Call(106, DISPATCH_METHOD, none), S_OK);
  };
  const std::string url = s_portal->Url(kStartPage);
  Navigate(url);
  Pump();
  EXPECT_EQ(m_sink.events.size(), 1u);
  EXPECT_EQ(Record()["url"], url);
  EXPECT_EQ(Record()["stops"], 1);
}

TEST_F(Navigation, ClickingALinkAndAPageFollowingOneNavigateToTheResolvedAddress) {
  Host(132);
  EXPECT_FALSE(winsim::RunScriptLine("browse 132 /quom")) << "a relative link needs a page";
  Navigate(s_portal->Url(kStartPage));
  Pump();
  const nlohmann::json link = Record()["links"][1];
  ASSERT_TRUE(winsim::RunScriptLine(Click(Centre(link["rect"]))));
  Pump();
  ASSERT_EQ(m_sink.events.size(), 2u);
  EXPECT_EQ(m_sink.events[1].url, link["url"]);
  EXPECT_EQ(m_sink.events[1].url, s_portal->Url("/clientex/bin/index.php?uid=demo&server_id=s15&sign=93ab51"));
  EXPECT_EQ(Record()["title"], "Duskmere 双线15服");

  ASSERT_TRUE(winsim::RunScriptLine("browse 132 ../../quom?from=game"));
  Pump();
  ASSERT_EQ(m_sink.events.size(), 3u);
  EXPECT_EQ(m_sink.events[2].url, s_portal->Url("/quom?from=game"));
  EXPECT_FALSE(winsim::RunScriptLine("browse 102 /quom")) << "no browser in a dialog 102";
}

TEST_F(Navigation, ClosingTheHostReleasesSiteAndSinkAndDropsAPendingNavigation) {
  const size_t objectsBefore = winsim::LiveComObjectCount();
  Host();
  EXPECT_GT(m_site.References(), 0);
  EXPECT_GT(m_sink.References(), 0);
  Navigate(s_portal->Url(kStartPage));
  DestroyWindow(m_host);
  m_host = nullptr;
  Pump();
  EXPECT_TRUE(m_sink.events.empty());
  EXPECT_EQ(m_site.References(), 0);
  EXPECT_EQ(m_sink.References(), 0);
  // The container's reference still works, and does nothing.
  Arguments none;
  EXPECT_EQ(Call(-550, DISPATCH_METHOD, none), S_OK);
  EXPECT_TRUE(Record()["destroyed"].get<bool>());
  CloseHost();
  EXPECT_EQ(winsim::LiveComObjectCount(), objectsBefore);
}

}  // namespace browser_test
