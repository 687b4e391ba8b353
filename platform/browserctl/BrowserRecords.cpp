// The records of the browsers, the "browsers" dump section, and the script
// actions through which a page in a dialog's browser acts: "browse DIALOG URL"
// follows a link, "external DIALOG NAME" reads a member of the host's
// external object.
#include "BrowserRecords.h"

#include <cstdio>
#include <cstdlib>

#include "BrowserControl.h"
#include "desktop/Desktop.h"
#include "win32/CodePage.h"
#include "win32/Window.h"

namespace winsim::browser {

namespace {

std::vector<std::shared_ptr<BrowserRecord>>& Records() {
  static auto* records = new std::vector<std::shared_ptr<BrowserRecord>>();
  return *records;
}

// A dialog learns its template id only after its controls exist, so the
// record reads it from the dialog while the dialog is there.
void UpdateDialog(BrowserRecord& r) {
  const Window* parent = r.live ? FindWindowObject(r.parent) : nullptr;
  if (parent && parent->templateId >= 0) r.dialog = parent->templateId;
}

nlohmann::json RecordJson(BrowserRecord& r) {
  UpdateDialog(r);
  nlohmann::json external = nlohmann::json::array();
  for (const ExternalRead& read : r.external) external.push_back({{"name", read.name}, {"result", read.result}});
  return {{"window", reinterpret_cast<uintptr_t>(r.window)},
          {"dialog", r.dialog >= 0 ? nlohmann::json(r.dialog) : nlohmann::json(nullptr)},
          {"control", r.control},
          {"url", r.url},
          {"title", r.title},
          {"silent", r.silent},
          {"navigations", r.navigations},
          {"refreshes", r.refreshes},
          {"stops", r.stops},
          {"host_flags", r.hostFlags},
          {"context_menus_shown", r.contextMenusShown},
          {"external", external},
          {"links", r.live ? r.live->Links() : nlohmann::json::array()},
          {"destroyed", r.live == nullptr}};
}

nlohmann::json BrowsersJson() {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& record : Records()) list.push_back(RecordJson(*record));
  return list;
}

// The browser of the dialog named by the first of two words ("132 /quom").
BrowserControl* TargetOf(const std::vector<std::string>& words) {
  if (words.size() != 2) return nullptr;
  char* end = nullptr;
  long dialog = std::strtol(words[0].c_str(), &end, 10);
  if (words[0].empty() || *end) return nullptr;
  return FindBrowserOfDialog(static_cast<int>(dialog));
}

// "browse DIALOG URL": the page follows a link to URL.
bool Browse(const std::vector<std::string>& words) {
  BrowserControl* control = TargetOf(words);
  if (control && !control->FollowLink(words[1])) {
    std::fprintf(stderr, "winsim: browse: the browser shows no page that %s could be relative to\n", words[1].c_str());
    return false;
  }
  return control != nullptr;
}

// "external DIALOG NAME": the page reads window.external.NAME.
bool ReadExternal(const std::vector<std::string>& words) {
  BrowserControl* control = TargetOf(words);
  if (control) control->ReadExternal(Utf8ToUtf16(words[1]));
  return control != nullptr;
}

const bool g_registered = [] {
  RegisterDumpSection("browsers", BrowsersJson);
  RegisterScriptAction("browse", Browse);
  RegisterScriptAction("external", ReadExternal);
  return true;
}();

}  // namespace

std::shared_ptr<BrowserRecord> AddBrowserRecord() {
  Records().push_back(std::make_shared<BrowserRecord>());
  return Records().back();
}

BrowserControl* FindBrowserOfDialog(int dialog) {
  for (const auto& record : Records()) {
    UpdateDialog(*record);
    if (record->live && record->dialog == dialog) return record->live;
  }
  return nullptr;
}

void ForgetBrowserRecords() { Records().clear(); }

void NoteControlGone(BrowserRecord& record) {
  UpdateDialog(record);
  record.live = nullptr;
}

}  // namespace winsim::browser
