#include "PortalPages.h"

#include <cctype>

namespace portal {

namespace {

constexpr char kStartPage[] = "/quom/wd/index.html";
constexpr char kNewsPage[] = "/quom/wd/news.html";
constexpr char kGamePath[] = "/clientex/bin/index.php";

struct Server {
  const char* id;  // the server_id value: one letter, then the number
  const char* name;
  const char* sign;
};

constexpr Server kServers[] = {
    {"s12", "双线12服 青岚", "7d1c0a"},
    {"s15", "双线15服 赤霄", "93ab51"},
    {"s3", "双线3服 玄武", "0f42e8"},
};

std::string Document(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head>\n<body>\n<h1>" +
         title + "</h1>\n" + body + "</body></html>\n";
}

std::string Link(const std::string& href, const std::string& text) {
  return "<p><a href=\"" + href + "\">" + text + "</a></p>\n";
}

std::string StartPage() {
  std::string body = "<!-- the server list -->\n";
  for (const Server& s : kServers) {
    body += Link(std::string(kGamePath) + "?uid=demo&amp;server_id=" + s.id + "&amp;sign=" + s.sign, s.name);
  }
  body += Link(kNewsPage, "最新公告");
  return Document("Duskmere 服务器列表", body);
}

// The value of `key` in the query, up to the next "&".
std::string QueryValue(const std::string& query, const std::string& key) {
  size_t at = query.find(key + "=");
  while (at != std::string::npos && at != 0 && query[at - 1] != '&') at = query.find(key + "=", at + 1);
  if (at == std::string::npos) return "";
  size_t start = at + key.size() + 1;
  return query.substr(start, query.find('&', start) - start);
}

std::string GamePage(const std::string& query) {
  std::string id = QueryValue(query, "server_id");
  std::string number;
  for (char c : id) {
    if (std::isdigit(static_cast<unsigned char>(c))) number.push_back(c);
  }
  if (number.empty()) number.push_back('?');
  return Document("Duskmere 双线" + number + "服", "<p>游戏加载中</p>\n" + Link("/quom", "官网"));
}

std::string PlainPage(const std::string& path) {
  return Document("Fenlow " + path, Link(kStartPage, "服务器列表"));
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else if (c == '"') out += "&quot;";
    else out.push_back(c);
  }
  return out;
}

}  // namespace

Page PageFor(const std::string& target) {
  const size_t question = target.find('?');
  const std::string path = target.substr(0, question);
  const std::string query = question == std::string::npos ? "" : target.substr(question + 1);
  if (path == kStartPage) return {200, StartPage()};
  if (path == kNewsPage) return {200, Document("最新公告", "<p>新服开启</p>\n" + Link(kStartPage, "返回"))};
  if (path == kGamePath) return {200, GamePage(query)};
  return {200, PlainPage(Escaped(path))};
}

}  // namespace portal
