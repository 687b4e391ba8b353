// Compiles a resource script into the resources of a module.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "RcBinary.h"
#include "RcLexer.h"
#include "RcResource.h"
#include "win32/DialogTemplate.h"

namespace rc {

class Compiler {
 public:
  // Files named in the script are relative to `baseDir`.
  explicit Compiler(std::string baseDir);
  std::vector<Resource> Compile(const std::string& script);
  // Every file the script read (for build dependencies).
  const std::vector<std::string>& InputFiles() const { return m_inputs; }

 private:
  const Token& Peek() const { return m_tokens[m_pos]; }
  Token Next();
  bool IsName(const char* text) const;
  bool IsPunct(const char* text) const;
  void Expect(const char* punct);
  void SkipComma();

  long long Number();          // a number, symbol, or a sum or bit-or of them
  uint32_t StyleExpression(uint32_t initial);  // with NOT to clear bits
  std::string String();
  ResourceName Name();
  void Begin();
  bool End();

  void Statement();
  void FileResource(const ResourceName& name, const std::string& type);
  void Dialog(const ResourceName& name);
  void DialogControls(winsim::DialogTemplateData& dialog);
  void Control(winsim::DialogTemplateData& dialog, const std::string& keyword);
  void Accelerators(const ResourceName& name);
  void VersionInfoBlock(const ResourceName& name);
  void DialogInit(const ResourceName& name);
  void VersionStrings(VersionInfo& info);
  void Add(const ResourceName& type, const ResourceName& name, std::vector<unsigned char> bytes);
  std::string Path(const std::string& file);

  std::string m_baseDir;
  std::vector<Token> m_tokens;
  size_t m_pos = 0;
  std::map<std::string, long long> m_symbols;
  std::vector<Resource> m_out;
  std::vector<std::string> m_inputs;
  uint16_t m_nextIconId = 1;
};

}  // namespace rc
