// The script player: one user action per line, taken when the running
// message loop has nothing else to do.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "Desktop.h"
#include "InputQueue.h"
#include "Taskbar.h"

namespace winsim {

namespace {

struct Player {
  bool loaded = false;
  std::vector<std::string> lines;
  size_t next = 0;
  std::map<std::string, std::function<bool(const std::vector<std::string>&)>> actions;
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

// A word that starts with '#' starts a comment, unless a digit follows it:
// "#61728" names a menu command by its id. A '#' inside a word (a web
// address's fragment) is part of the word.
bool StartsComment(const std::string& word) {
  return word[0] == '#' && !(word.size() > 1 && std::isdigit(static_cast<unsigned char>(word[1])));
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w && !StartsComment(w);) words.push_back(w);
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

// Each script line is a separate action of a person: time passes between
// two of them, so two clicks on separate lines never make a double-click.
constexpr DWORD kPauseBetweenActions = 1000;

std::string UpperCase(const std::string& text) {
  std::string upper;
  for (char c : text) upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  return upper;
}

bool KeyCode(const std::string& name, UINT& vk) {
  static const std::map<std::string, UINT> named = {
      {"ESC", VK_ESCAPE},  {"ESCAPE", VK_ESCAPE}, {"ENTER", VK_RETURN}, {"RETURN", VK_RETURN},
      {"TAB", VK_TAB},     {"SPACE", VK_SPACE},   {"BACK", VK_BACK},    {"BACKSPACE", VK_BACK},
      {"LEFT", VK_LEFT},   {"RIGHT", VK_RIGHT},   {"UP", VK_UP},        {"DOWN", VK_DOWN},
      {"DELETE", VK_DELETE}};
  const std::string upper = UpperCase(name);
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

bool ModifierCode(const std::string& name, UINT& vk) {
  static const std::map<std::string, UINT> modifiers = {
      {"ALT", VK_MENU}, {"CTRL", VK_CONTROL}, {"CONTROL", VK_CONTROL}, {"SHIFT", VK_SHIFT}};
  auto it = modifiers.find(UpperCase(name));
  if (it == modifiers.end()) return false;
  vk = it->second;
  return true;
}

// "ALT+F4": the modifiers go down in order, the key goes down and up, and
// the modifiers come up in reverse order.
bool PressKeys(const std::string& combination) {
  std::vector<UINT> held;
  size_t start = 0;
  for (size_t plus; (plus = combination.find('+', start)) != std::string::npos; start = plus + 1) {
    UINT vk = 0;
    if (!ModifierCode(combination.substr(start, plus - start), vk)) return false;
    held.push_back(vk);
  }
  UINT key = 0;
  if (!KeyCode(combination.substr(start), key)) return false;
  for (UINT vk : held) QueueKey(vk, true);
  QueueKey(key, true);
  QueueKey(key, false);
  for (auto it = held.rbegin(); it != held.rend(); ++it) QueueKey(*it, false);
  return true;
}

void Click(MouseButton button, POINT p) {
  QueueButton(button, true, p);
  QueueButton(button, false, p);
}

bool RunMouse(const std::vector<std::string>& w) {
  POINT p;
  if (!ParsePoint(w, p)) return false;
  const std::string& a = w[0];
  if (a == "move") QueuePointerMove(p);
  else if (a == "down") QueueButton(MouseButton::Left, true, p);
  else if (a == "up") QueueButton(MouseButton::Left, false, p);
  else if (a == "click") Click(MouseButton::Left, p);
  else if (a == "dblclick") {
    Click(MouseButton::Left, p);
    Click(MouseButton::Left, p);
  } else if (a == "rclick") Click(MouseButton::Right, p);
  else return false;
  return true;
}

bool RunWords(const std::vector<std::string>& w) {
  if (w.empty()) return true;
  PauseInput(kPauseBetweenActions);
  const std::string& a = w[0];
  if (a == "key") return w.size() == 2 && PressKeys(w[1]);
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

}  // namespace winsim
