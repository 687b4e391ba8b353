#include "RcCompiler.h"

#include <algorithm>
#include <cctype>

#include "RcSymbols.h"
#include "win32/WinUser.h"

namespace rc {

namespace {

constexpr uint16_t kIcon = 3;
constexpr uint16_t kBitmap = 2;
constexpr uint16_t kDialog = 5;
constexpr uint16_t kAccelerator = 9;
constexpr uint16_t kGroupIcon = 14;
constexpr uint16_t kVersion = 16;
constexpr uint16_t kDialogInit = 240;

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

ResourceName Integer(uint16_t id) { return ResourceName{"", id}; }

}  // namespace

Compiler::Compiler(std::string baseDir) : m_baseDir(std::move(baseDir)), m_symbols(BuiltInSymbols()) {}

std::vector<Resource> Compiler::Compile(const std::string& script) {
  m_tokens = Tokenize(script, m_symbols);
  m_pos = 0;
  while (Peek().kind != Token::Kind::End) Statement();
  return m_out;
}

Token Compiler::Next() {
  Token t = m_tokens[m_pos];
  if (t.kind != Token::Kind::End) ++m_pos;
  return t;
}

bool Compiler::IsName(const char* text) const { return Peek().kind == Token::Kind::Name && Peek().text == text; }

bool Compiler::IsPunct(const char* text) const { return Peek().kind == Token::Kind::Punct && Peek().text == text; }

void Compiler::Expect(const char* punct) {
  if (!IsPunct(punct)) throw Error(Peek().line, std::string("expected '") + punct + "'");
  Next();
}

void Compiler::SkipComma() {
  if (IsPunct(",")) Next();
}

long long Compiler::Number() {
  auto term = [this]() -> long long {
    bool negative = false;
    if (IsPunct("-")) {
      Next();
      negative = true;
    }
    bool inverted = false;
    if (IsPunct("~")) {
      Next();
      inverted = true;
    }
    long long v;
    if (IsPunct("(")) {
      Next();
      v = Number();
      Expect(")");
    } else {
      Token t = Next();
      if (t.kind == Token::Kind::Number) {
        v = t.value;
      } else if (t.kind == Token::Kind::Name && m_symbols.count(t.text)) {
        v = m_symbols[t.text];
      } else {
        throw Error(t.line, "expected a number, found '" + t.text + "'");
      }
    }
    if (inverted) v = ~v;
    return negative ? -v : v;
  };
  long long value = term();
  while (IsPunct("|") || IsPunct("+")) {
    bool orOp = Next().text == "|";
    long long rhs = term();
    value = orOp ? (value | rhs) : (value + rhs);
  }
  return value;
}

uint32_t Compiler::StyleExpression(uint32_t initial) {
  uint32_t style = initial;
  bool first = true;
  for (;;) {
    if (!first) {
      if (!IsPunct("|")) break;
      Next();
    }
    first = false;
    if (IsName("NOT")) {
      Next();
      style &= ~static_cast<uint32_t>(Number());
      continue;
    }
    Token t = Peek();
    long long v;
    if (t.kind == Token::Kind::Number) {
      v = Next().value;
    } else if (t.kind == Token::Kind::Name && m_symbols.count(t.text)) {
      v = m_symbols[Next().text];
    } else {
      throw Error(t.line, "expected a style, found '" + t.text + "'");
    }
    style |= static_cast<uint32_t>(v);
  }
  return style;
}

std::string Compiler::String() {
  Token t = Next();
  if (t.kind != Token::Kind::String) throw Error(t.line, "expected a string");
  return t.text;
}

ResourceName Compiler::Name() {
  Token t = Peek();
  if (t.kind == Token::Kind::Number || (t.kind == Token::Kind::Name && m_symbols.count(t.text))) {
    return Integer(static_cast<uint16_t>(Number()));
  }
  if (t.kind == Token::Kind::Name || t.kind == Token::Kind::String) {
    Next();
    return ResourceName{Upper(t.text), 0};
  }
  throw Error(t.line, "expected a resource name");
}

void Compiler::Begin() {
  if (IsName("BEGIN") || IsPunct("{")) {
    Next();
    return;
  }
  throw Error(Peek().line, "expected BEGIN");
}

bool Compiler::End() {
  if (IsName("END") || IsPunct("}")) {
    Next();
    return true;
  }
  if (Peek().kind == Token::Kind::End) throw Error(Peek().line, "missing END");
  return false;
}

void Compiler::Add(const ResourceName& type, const ResourceName& name, std::vector<unsigned char> bytes) {
  m_out.push_back(Resource{type, name, std::move(bytes)});
}

std::string Compiler::Path(const std::string& file) {
  std::string path = file.find('/') == 0 ? file : m_baseDir + "/" + file;
  m_inputs.push_back(path);
  return path;
}

void Compiler::Statement() {
  if (IsName("LANGUAGE")) {
    Next();
    Number();
    SkipComma();
    Number();
    return;
  }
  ResourceName name = Name();
  Token kind = Next();
  if (kind.kind != Token::Kind::Name && kind.kind != Token::Kind::Number && kind.kind != Token::Kind::String) {
    throw Error(kind.line, "expected a resource type");
  }
  std::string type = kind.kind == Token::Kind::Number ? std::to_string(kind.value) : kind.text;
  if (type == "DIALOGEX" || type == "DIALOG") return Dialog(name);
  if (type == "ACCELERATORS") return Accelerators(name);
  if (type == "VERSIONINFO") return VersionInfoBlock(name);
  if (type == "DLGINIT") return DialogInit(name);
  FileResource(name, type);
}

void Compiler::FileResource(const ResourceName& name, const std::string& type) {
  std::string path = Path(String());
  std::vector<unsigned char> file = ReadFile(path);
  if (type == "BITMAP") return Add(Integer(kBitmap), name, BitmapResource(file, path));
  if (type == "ICON") {
    IconResources icon = SplitIcon(file, m_nextIconId, path);
    for (auto& image : icon.images) Add(Integer(kIcon), Integer(m_nextIconId++), std::move(image));
    return Add(Integer(kGroupIcon), name, std::move(icon.group));
  }
  bool numeric = !type.empty() && std::isdigit(static_cast<unsigned char>(type[0]));
  if (numeric || m_symbols.count(type)) {
    long long id = numeric ? std::stoll(type) : m_symbols[type];
    return Add(Integer(static_cast<uint16_t>(id)), name, std::move(file));
  }
  Add(ResourceName{Upper(type), 0}, name, std::move(file));
}

void Compiler::Dialog(const ResourceName& name) {
  if (!name.text.empty()) throw Error(Peek().line, "dialogs are named by number here");
  winsim::DialogTemplateData d;
  d.x = static_cast<short>(Number());
  SkipComma();
  d.y = static_cast<short>(Number());
  SkipComma();
  d.cx = static_cast<short>(Number());
  SkipComma();
  d.cy = static_cast<short>(Number());
  if (IsPunct(",")) {
    Next();
    d.helpId = static_cast<DWORD>(Number());
  }
  // Without a STYLE statement a dialog is a bordered popup with a system menu.
  bool styled = false;
  d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
  for (;;) {
    if (IsName("STYLE")) {
      Next();
      d.style = StyleExpression(styled ? d.style : 0);
      styled = true;
    } else if (IsName("EXSTYLE")) {
      Next();
      d.exStyle = StyleExpression(0);
    } else if (IsName("CAPTION")) {
      Next();
      d.title = Utf8ToUtf16(String());
      d.style |= WS_CAPTION;
    } else if (IsName("CLASS")) {
      Next();
      d.className = String();
    } else if (IsName("FONT")) {
      Next();
      d.pointSize = static_cast<WORD>(Number());
      SkipComma();
      d.typeface = Utf8ToUtf16(String());
      if (IsPunct(",")) {
        Next();
        d.weight = static_cast<WORD>(Number());
        SkipComma();
        d.italic = static_cast<BYTE>(Number());
        SkipComma();
        d.charset = static_cast<BYTE>(Number());
      }
      d.style |= DS_SETFONT;
    } else {
      break;
    }
  }
  DialogControls(d);
  Add(Integer(kDialog), name, winsim::BuildDialogTemplate(d));
}

void Compiler::DialogControls(winsim::DialogTemplateData& d) {
  Begin();
  while (!End()) {
    Token keyword = Next();
    if (keyword.kind != Token::Kind::Name) throw Error(keyword.line, "expected a control statement");
    Control(d, keyword.text);
  }
}

void Compiler::Control(winsim::DialogTemplateData& d, const std::string& keyword) {
  winsim::DialogItemTemplate item;
  item.title = Utf8ToUtf16(String());
  SkipComma();
  item.id = static_cast<DWORD>(Number());
  SkipComma();
  uint32_t defaults = WS_CHILD | WS_VISIBLE;
  if (keyword == "CONTROL") {
    Token cls = Next();
    // Class keywords name the system's classes; strings name any class.
    static const std::map<std::string, std::string> keywords = {
        {"BUTTON", "Button"}, {"STATIC", "Static"}, {"EDIT", "Edit"}, {"LISTBOX", "ListBox"}, {"COMBOBOX", "ComboBox"}};
    if (cls.kind == Token::Kind::Name) {
      auto it = keywords.find(Upper(cls.text));
      if (it == keywords.end()) throw Error(cls.line, "unknown control class " + cls.text);
      item.className = it->second;
    } else {
      item.className = cls.text;
    }
    SkipComma();
    item.style = StyleExpression(defaults);
    SkipComma();
  } else if (keyword == "DEFPUSHBUTTON" || keyword == "PUSHBUTTON") {
    item.className = "Button";
    item.style = defaults | WS_TABSTOP | (keyword == "DEFPUSHBUTTON" ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  } else if (keyword == "LTEXT" || keyword == "CTEXT" || keyword == "RTEXT") {
    item.className = "Static";
    item.style = defaults | WS_GROUP | (keyword == "LTEXT" ? SS_LEFT : keyword == "CTEXT" ? SS_CENTER : SS_RIGHT);
  } else {
    throw Error(Peek().line, "control statement " + keyword + " is not supported");
  }
  item.x = static_cast<short>(Number());
  SkipComma();
  item.y = static_cast<short>(Number());
  SkipComma();
  item.cx = static_cast<short>(Number());
  SkipComma();
  item.cy = static_cast<short>(Number());
  if (keyword != "CONTROL" && IsPunct(",")) {
    Next();
    item.style = StyleExpression(item.style);
  }
  if (IsPunct(",")) {
    Next();
    item.exStyle = StyleExpression(0);
  }
  d.items.push_back(item);
}

void Compiler::Accelerators(const ResourceName& name) {
  std::vector<Accelerator> entries;
  Begin();
  while (!End()) {
    Accelerator a;
    if (Peek().kind == Token::Kind::String) {
      std::string key = String();
      if (key.size() != 1) throw Error(Peek().line, "only single-character ASCII keys are supported");
      a.key = static_cast<unsigned char>(key[0]);
    } else {
      a.key = static_cast<uint16_t>(Number());
    }
    SkipComma();
    a.command = static_cast<uint16_t>(Number());
    while (IsPunct(",")) {
      Next();
      std::string option = Next().text;
      if (option == "VIRTKEY") a.flags |= FVIRTKEY;
      else if (option == "NOINVERT") a.flags |= FNOINVERT;
      else if (option == "SHIFT") a.flags |= FSHIFT;
      else if (option == "CONTROL") a.flags |= FCONTROL;
      else if (option == "ALT") a.flags |= FALT;
      else if (option != "ASCII") throw Error(Peek().line, "unknown accelerator option " + option);
    }
    entries.push_back(a);
  }
  Add(Integer(kAccelerator), name, AcceleratorTable(entries));
}

void Compiler::VersionInfoBlock(const ResourceName& name) {
  VersionInfo info;
  auto version = [this](uint16_t* out) {
    for (int i = 0; i < 4; ++i) {
      if (i) SkipComma();
      out[i] = static_cast<uint16_t>(Number());
    }
  };
  for (;;) {
    if (IsName("FILEVERSION")) { Next(); version(info.fileVersion); }
    else if (IsName("PRODUCTVERSION")) { Next(); version(info.productVersion); }
    else if (IsName("FILEFLAGSMASK")) { Next(); info.fileFlagsMask = static_cast<uint32_t>(Number()); }
    else if (IsName("FILEFLAGS")) { Next(); info.fileFlags = static_cast<uint32_t>(Number()); }
    else if (IsName("FILEOS")) { Next(); info.fileOS = static_cast<uint32_t>(Number()); }
    else if (IsName("FILETYPE")) { Next(); info.fileType = static_cast<uint32_t>(Number()); }
    else if (IsName("FILESUBTYPE")) { Next(); info.fileSubtype = static_cast<uint32_t>(Number()); }
    else break;
  }
  VersionStrings(info);
  Add(Integer(kVersion), name, VersionBlock(info));
}

void Compiler::VersionStrings(VersionInfo& info) {
  Begin();
  while (!End()) {
    if (!IsName("BLOCK")) throw Error(Peek().line, "expected BLOCK");
    Next();
    std::string block = String();
    Begin();
    if (block == "StringFileInfo") {
      while (!End()) {
        if (!IsName("BLOCK")) throw Error(Peek().line, "expected BLOCK");
        Next();
        info.language = String();
        Begin();
        while (!End()) {
          if (!IsName("VALUE")) throw Error(Peek().line, "expected VALUE");
          Next();
          std::string key = String();
          SkipComma();
          info.strings.emplace_back(key, String());
        }
      }
    } else if (block == "VarFileInfo") {
      while (!End()) {
        if (!IsName("VALUE")) throw Error(Peek().line, "expected VALUE");
        Next();
        String();
        while (IsPunct(",")) {
          Next();
          info.translation.push_back(static_cast<uint16_t>(Number()));
        }
      }
    } else {
      throw Error(Peek().line, "unknown version block " + block);
    }
  }
}

}  // namespace rc

namespace rc {

// Initialisation data of a dialog's controls: for each, the control's id, the
// message that carries it and the text (UTF-16, with its terminating zero);
// a zero id ends the list.
void Compiler::DialogInit(const ResourceName& name) {
  std::vector<DialogInitEntry> entries;
  Begin();
  while (!End()) {
    DialogInitEntry e;
    e.control = static_cast<uint16_t>(Number());
    SkipComma();
    e.message = static_cast<uint16_t>(Number());
    SkipComma();
    e.text = Utf8ToUtf16(String());
    entries.push_back(e);
  }
  Add(Integer(kDialogInit), name, DialogInitData(entries));
}

}  // namespace rc
