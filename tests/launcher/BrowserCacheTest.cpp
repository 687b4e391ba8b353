// Clearing the browser cache keeps exactly the entries whose URL contains
// "cookie".
#include <gtest/gtest.h>

#include "framework.h"
#include "launcher/BrowserCache.h"

namespace {

class BrowserCache : public ::testing::Test {
 protected:
  BrowserCache() { winsim::ClearUrlCache(); }
  ~BrowserCache() override { winsim::ClearUrlCache(); }
  static void Add(std::initializer_list<const char*> urls) {
    for (const char* url : urls) winsim::AddUrlCacheEntry(url);
  }
};

}  // namespace

TEST_F(BrowserCache, EmptyCacheIsDoneAtOnce) {
  EXPECT_TRUE(ClearBrowserCache());
  EXPECT_TRUE(winsim::UrlCacheEntries().empty());
}

TEST_F(BrowserCache, KeepsOnlyLowerCaseCookieEntriesWhateverTheirSizesAndOrder) {
  Add({"http://www.example/a.png", "Cookie:player@www.example/", "http://cookie.example/",
       "http://www.example/very/long/path/to/a/file/with/a/long/name/that/needs/a/bigger/buffer.js",
       "http://www.example/COOKIE", "http://www.example/s/cookies.txt", "http://x/"});
  EXPECT_TRUE(ClearBrowserCache());
  EXPECT_EQ(winsim::UrlCacheEntries(),
            (std::vector<std::string>{"http://cookie.example/", "http://www.example/s/cookies.txt"}));
  // A second run finds nothing more to delete, apart from what came since.
  Add({"http://www.example/new.css"});
  EXPECT_TRUE(ClearBrowserCache());
  EXPECT_EQ(winsim::UrlCacheEntries(),
            (std::vector<std::string>{"http://cookie.example/", "http://www.example/s/cookies.txt"}));
}

TEST_F(BrowserCache, ARetainedEntryDoesNotStopTheWalk) {
  Add({"http://a/cookie", "http://b/", "http://c/cookie/and/more", "http://d/"});
  EXPECT_TRUE(ClearBrowserCache());
  EXPECT_EQ(winsim::UrlCacheEntries(), (std::vector<std::string>{"http://a/cookie", "http://c/cookie/and/more"}));
}
