// Dumps: the observable state of the desktop as JSON.
#include <cstdio>
#include <fstream>
#include <map>

#include "Desktop.h"
#include "win32/CodePage.h"
#include "win32/Window.h"

namespace winsim {

namespace {

using nlohmann::json;

std::map<std::string, std::function<json()>>& Sections() {
  static auto* sections = new std::map<std::string, std::function<json()>>();
  return *sections;
}

json Handle(const void* h) {
  if (!h) return nullptr;
  return reinterpret_cast<uintptr_t>(h);
}

json Rect(const RECT& r) { return json::array({r.left, r.top, r.right, r.bottom}); }

json WindowJson(const Window& w);

json ChildrenJson(const Window& w) {
  json children = json::array();
  std::vector<const Window*> ordered;
  for (HWND h : w.children) {
    if (const Window* c = FindWindowObject(h)) ordered.push_back(c);
  }
  for (const auto& other : AllWindows()) {
    if (other->destroyed && other->parent == w.handle && other->isChild()) ordered.push_back(other.get());
  }
  for (const Window* c : ordered) children.push_back(WindowJson(*c));
  return children;
}

json WindowJson(const Window& w) {
  json j;
  j["handle"] = Handle(w.handle);
  j["template"] = w.templateId >= 0 ? json(w.templateId) : json(nullptr);
  j["class"] = w.className;
  j["title"] = AnsiToUtf8(w.text);
  j["rect"] = Rect(w.window);
  j["client"] = Rect(w.client);
  j["visible"] = !w.destroyed && IsReallyVisible(&w);
  j["ever_visible"] = w.everVisible;
  j["minimized"] = w.minimized();
  j["style"] = w.style;
  j["exstyle"] = w.exStyle;
  j["owner"] = Handle(w.owner);
  j["destroyed"] = w.destroyed;
  if (w.isChild()) j["id"] = static_cast<long long>(static_cast<int>(w.id));
  j["children"] = ChildrenJson(w);
  return j;
}

json WindowsJson() {
  json windows = json::array();
  for (HWND h : TopLevelZOrder()) {
    if (const Window* w = FindWindowObject(h)) windows.push_back(WindowJson(*w));
  }
  for (const auto& w : AllWindows()) {
    if (w->destroyed && !w->isChild()) windows.push_back(WindowJson(*w));
  }
  return windows;
}

json MessageBoxesJson() {
  json boxes = json::array();
  for (const MessageBoxRecord& m : Desktop().messageBoxes) {
    boxes.push_back({{"owner", Handle(m.owner)},
                     {"text", AnsiToUtf8(m.text)},
                     {"caption", AnsiToUtf8(m.caption)},
                     {"type", m.type},
                     {"result", m.result}});
  }
  return boxes;
}

json ProcessesJson() {
  json list = json::array();
  for (const ProcessRecord& p : Desktop().processes) {
    list.push_back({{"application", AnsiToUtf8(p.application)},
                    {"command_line", AnsiToUtf8(p.commandLine)},
                    {"current_directory", AnsiToUtf8(p.currentDirectory)},
                    {"ok", p.ok}});
  }
  return list;
}

json ShellJson() {
  json list = json::array();
  for (const ShellRecord& s : Desktop().shellCalls) {
    list.push_back({{"owner", Handle(s.owner)},
                    {"verb", AnsiToUtf8(s.verb)},
                    {"file", AnsiToUtf8(s.file)},
                    {"parameters", AnsiToUtf8(s.parameters)},
                    {"directory", AnsiToUtf8(s.directory)},
                    {"show", s.show}});
  }
  return list;
}

}  // namespace

void RegisterDumpSection(const std::string& name, std::function<json()> producer) {
  Sections()[name] = std::move(producer);
}

json DumpState(std::optional<int> exitCode) {
  const DesktopState& d = Desktop();
  json j;
  j["screen"] = {{"width", d.screenWidth}, {"height", d.screenHeight}, {"workarea", Rect(d.workArea)}};
  j["exit"] = exitCode ? json(*exitCode) : json(nullptr);
  j["focus"] = Handle(d.focus);
  j["active"] = Handle(d.active);
  j["cursor"] = json::array({d.cursor.x, d.cursor.y});
  j["windows"] = WindowsJson();
  j["messageboxes"] = MessageBoxesJson();
  j["processes"] = ProcessesJson();
  j["shell"] = ShellJson();
  for (const auto& [name, producer] : Sections()) j[name] = producer();
  return j;
}

bool WriteDump(const std::string& name, std::optional<int> exitCode) {
  const std::string& dir = Desktop().outDir;
  if (dir.empty()) return false;
  std::ofstream out(dir + "/" + name + ".json");
  out << DumpState(exitCode).dump(2) << "\n";
  return static_cast<bool>(out);
}

}  // namespace winsim
