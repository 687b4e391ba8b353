// The script player: one user action per line, taken when the running
// message loop has nothing else to do.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "Desktop.h"
#include "InputActions.h"
#include "Taskbar.h"

namespace winsim {

namespace {

struct Player {
  bool loaded = false;
  std::vector<std::string> lines;
  size_t next = 0;
  std::map<std::string, std::function<bool(const std::vector<std::string>&)>> actions;
  std::function<bool(UINT)> keyInterceptor;
  std::function<void()> exhausted;
};

Player& P() {
  static Player* player = new Player();
  return *player;
}

void Load() {
  Player& p = P();
  if (p.loaded) return;
  p.loaded = true;
  const char* path = std::getenv("WINSIM_SCRIPT");
  if (!path) return;
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "winsim: cannot read WINSIM_SCRIPT=%s\n", path);
    std::exit(2);
  }
  for (std::string line; std::getline(in, line);) p.lines.push_back(line);
}

std::vector<std::string> Words(const std::string& line) {
  std::string text = line.substr(0, line.find('#'));
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool ParsePoint(const std::vector<std::string>& w, POINT& p) {
  if (w.size() != 3) return false;
  char* end1 = nullptr;
  char* end2 = nullptr;
  long x = std::strtol(w[1].c_str(), &end1, 10);
  long y = std::strtol(w[2].c_str(), &end2, 10);
  if (*end1 || *end2) return false;
  p = {static_cast<LONG>(x), static_cast<LONG>(y)};
  return true;
}

bool KeyCode(const std::string& name, UINT& vk) {
  static const std::map<std::string, UINT> named = {
      {"ESC", VK_ESCAPE},  {"ESCAPE", VK_ESCAPE}, {"ENTER", VK_RETURN}, {"RETURN", VK_RETURN},
      {"TAB", VK_TAB},     {"SPACE", VK_SPACE},   {"BACK", VK_BACK},    {"BACKSPACE", VK_BACK},
      {"LEFT", VK_LEFT},   {"RIGHT", VK_RIGHT},   {"UP", VK_UP},        {"DOWN", VK_DOWN},
      {"DELETE", VK_DELETE}};
  std::string upper;
  for (char c : name) upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  if (auto it = named.find(upper); it != named.end()) {
    vk = it->second;
    return true;
  }
  if (upper.size() >= 2 && upper[0] == 'F') {
    int n = std::atoi(upper.c_str() + 1);
    if (n >= 1 && n <= 12 && upper == std::string(1, 'F').append(std::to_string(n))) {
      vk = static_cast<UINT>(VK_F1 + n - 1);
      return true;
    }
  }
  if (upper.size() == 1 && (std::isalnum(static_cast<unsigned char>(upper[0])))) {
    vk = static_cast<unsigned char>(upper[0]);
    return true;
  }
  return false;
}

bool RunMouse(const std::vector<std::string>& w) {
  POINT p;
  if (!ParsePoint(w, p)) return false;
  const std::string& a = w[0];
  if (a == "move") MouseMove(p);
  else if (a == "down") LeftDown(p);
  else if (a == "up") LeftUp(p);
  else if (a == "click") {
    LeftDown(p);
    LeftUp(p);
  } else if (a == "dblclick") LeftDoubleClick(p);
  else if (a == "rclick") RightClick(p);
  else return false;
  return true;
}

bool RunWords(const std::vector<std::string>& w) {
  if (w.empty()) return true;
  const std::string& a = w[0];
  if (a == "key") {
    UINT vk = 0;
    if (w.size() != 2 || !KeyCode(w[1], vk)) return false;
    PressKey(vk, P().keyInterceptor);
    return true;
  }
  if (a == "dump" || a == "shot") {
    if (w.size() != 2) return false;
    if (a == "dump") {
      WriteDump(w[1]);
    } else {
      RefreshTaskbar();
      WriteScreenshot(w[1]);
    }
    return true;
  }
  if (auto it = P().actions.find(a); it != P().actions.end()) {
    return it->second(std::vector<std::string>(w.begin() + 1, w.end()));
  }
  return RunMouse(w);
}

}  // namespace

bool RunScriptLine(const std::string& line) { return RunWords(Words(line)); }

bool AdvanceInput() {
  Load();
  // The user sees, and can click, the taskbar from the first action on.
  EnsureTaskbar();
  Player& p = P();
  while (p.next < p.lines.size()) {
    size_t number = ++p.next;
    const std::string& line = p.lines[number - 1];
    if (!RunScriptLine(line)) {
      // A script that says something we do not understand is a broken test.
      std::fprintf(stderr, "winsim: script line %zu not understood: %s\n", number, line.c_str());
      std::exit(2);
    }
    if (!Words(line).empty()) return true;
  }
  return false;
}

void SetScriptLines(std::vector<std::string> lines) {
  P().loaded = true;
  P().lines = std::move(lines);
  P().next = 0;
}

void SetInputExhaustedHandler(std::function<void()> handler) { P().exhausted = std::move(handler); }

void InputExhausted() {
  if (P().exhausted) {
    P().exhausted();
    return;
  }
  WriteDump("final", 3);
  std::fflush(nullptr);
  _Exit(3);
}

void RegisterScriptAction(const std::string& name, std::function<bool(const std::vector<std::string>&)> handler) {
  P().actions[name] = std::move(handler);
}

void SetKeyInterceptor(std::function<bool(UINT vk)> interceptor) { P().keyInterceptor = std::move(interceptor); }

}  // namespace winsim
