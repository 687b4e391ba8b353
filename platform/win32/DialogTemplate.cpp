#include "DialogTemplate.h"

#include <cstring>

namespace winsim {

namespace {

class Reader {
 public:
  Reader(const unsigned char* data, size_t size) : m_data(data), m_size(size ? size : SIZE_MAX) {}
  bool ok() const { return m_ok; }
  WORD Word() {
    WORD v = 0;
    Read(&v, 2);
    return v;
  }
  DWORD Dword() {
    DWORD v = 0;
    Read(&v, 4);
    return v;
  }
  short Short() { return static_cast<short>(Word()); }
  BYTE Byte() {
    BYTE v = 0;
    Read(&v, 1);
    return v;
  }
  std::u16string String() {
    std::u16string s;
    for (char16_t c = static_cast<char16_t>(Word()); m_ok && c != 0; c = static_cast<char16_t>(Word())) s.push_back(c);
    return s;
  }
  // A name that is either an ordinal (0xFFFF then a WORD) or a string.
  std::u16string NameOrOrdinal(WORD& ordinal) {
    ordinal = 0;
    WORD first = Word();
    if (first == 0xFFFF) {
      ordinal = Word();
      return {};
    }
    if (first == 0) return {};
    std::u16string s(1, static_cast<char16_t>(first));
    return s + String();
  }
  void Align(size_t to) {
    while (m_pos % to) ++m_pos;
  }
  std::vector<unsigned char> Bytes(size_t n) {
    std::vector<unsigned char> out(n);
    if (n) Read(out.data(), n);
    return out;
  }

 private:
  void Read(void* out, size_t n) {
    if (!m_ok || m_pos + n > m_size) {
      m_ok = false;
      return;
    }
    std::memcpy(out, m_data + m_pos, n);
    m_pos += n;
  }
  const unsigned char* m_data;
  size_t m_size;
  size_t m_pos = 0;
  bool m_ok = true;
};

class Writer {
 public:
  void Word(WORD v) { Put(&v, 2); }
  void Dword(DWORD v) { Put(&v, 4); }
  void Short(short v) { Put(&v, 2); }
  void Byte(BYTE v) { Put(&v, 1); }
  void String(const std::u16string& s) {
    for (char16_t c : s) Word(static_cast<WORD>(c));
    Word(0);
  }
  void Align(size_t to) {
    while (m_out.size() % to) m_out.push_back(0);
  }
  void Bytes(const std::vector<unsigned char>& b) { m_out.insert(m_out.end(), b.begin(), b.end()); }
  std::vector<unsigned char> Take() { return std::move(m_out); }

 private:
  void Put(const void* p, size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    m_out.insert(m_out.end(), b, b + n);
  }
  std::vector<unsigned char> m_out;
};

std::string OrdinalClass(WORD ordinal) {
  switch (ordinal) {
    case 0x0080: return "Button";
    case 0x0081: return "Edit";
    case 0x0082: return "Static";
    case 0x0083: return "ListBox";
    case 0x0084: return "ScrollBar";
    case 0x0085: return "ComboBox";
    default: return std::string("#").append(std::to_string(ordinal));
  }
}

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out.push_back(static_cast<char>(c));
  return out;
}

std::u16string Widen(const std::string& s) {
  std::u16string out;
  for (char c : s) out.push_back(static_cast<unsigned char>(c));
  return out;
}

constexpr DWORD kSetFont = 0x40;
constexpr DWORD kShellFont = 0x48;

void ReadItem(Reader& r, bool extended, DialogItemTemplate& item) {
  r.Align(4);
  if (extended) {
    item.helpId = r.Dword();
    item.exStyle = r.Dword();
    item.style = r.Dword();
  } else {
    item.style = r.Dword();
    item.exStyle = r.Dword();
  }
  item.x = r.Short();
  item.y = r.Short();
  item.cx = r.Short();
  item.cy = r.Short();
  item.id = extended ? r.Dword() : r.Word();
  WORD classOrdinal = 0;
  std::u16string cls = r.NameOrOrdinal(classOrdinal);
  item.className = classOrdinal ? OrdinalClass(classOrdinal) : Narrow(cls);
  item.title = r.NameOrOrdinal(item.titleOrdinal);
  WORD extra = r.Word();
  if (extra) {
    if (!extended) r.Align(2);
    item.creationData = r.Bytes(extra);
  }
}

}  // namespace

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplateData& out) {
  if (!data) return false;
  Reader r(static_cast<const unsigned char*>(data), size);
  WORD version = r.Word();
  WORD signature = r.Word();
  out = DialogTemplateData{};
  out.extended = version == 1 && signature == 0xFFFF;
  if (out.extended) {
    out.helpId = r.Dword();
    out.exStyle = r.Dword();
    out.style = r.Dword();
  } else {
    Reader again(static_cast<const unsigned char*>(data), size);
    r = again;
    out.style = r.Dword();
    out.exStyle = r.Dword();
  }
  WORD count = r.Word();
  out.x = r.Short();
  out.y = r.Short();
  out.cx = r.Short();
  out.cy = r.Short();
  WORD ordinal = 0;
  out.menu = r.NameOrOrdinal(ordinal);
  std::u16string cls = r.NameOrOrdinal(ordinal);
  out.className = ordinal ? OrdinalClass(ordinal) : Narrow(cls);
  out.title = r.String();
  if ((out.style & kSetFont) || (out.style & kShellFont) == kShellFont) {
    out.pointSize = r.Word();
    if (out.extended) {
      out.weight = r.Word();
      out.italic = r.Byte();
      out.charset = r.Byte();
    }
    out.typeface = r.String();
  }
  out.items.resize(count);
  for (DialogItemTemplate& item : out.items) ReadItem(r, out.extended, item);
  return r.ok();
}

std::vector<unsigned char> BuildDialogTemplate(const DialogTemplateData& d) {
  Writer w;
  w.Word(1);
  w.Word(0xFFFF);
  w.Dword(d.helpId);
  w.Dword(d.exStyle);
  w.Dword(d.style);
  w.Word(static_cast<WORD>(d.items.size()));
  w.Short(d.x);
  w.Short(d.y);
  w.Short(d.cx);
  w.Short(d.cy);
  w.String(d.menu);
  w.String(Widen(d.className));
  w.String(d.title);
  if (d.style & kSetFont) {
    w.Word(d.pointSize);
    w.Word(d.weight);
    w.Byte(d.italic);
    w.Byte(d.charset);
    w.String(d.typeface);
  }
  for (const DialogItemTemplate& item : d.items) {
    w.Align(4);
    w.Dword(item.helpId);
    w.Dword(item.exStyle);
    w.Dword(item.style);
    w.Short(item.x);
    w.Short(item.y);
    w.Short(item.cx);
    w.Short(item.cy);
    w.Dword(item.id);
    w.String(Widen(item.className));
    if (item.titleOrdinal) {
      w.Word(0xFFFF);
      w.Word(item.titleOrdinal);
    } else {
      w.String(item.title);
    }
    w.Word(static_cast<WORD>(item.creationData.size()));
    w.Bytes(item.creationData);
  }
  return w.Take();
}

}  // namespace winsim
