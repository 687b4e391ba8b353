#include "RcLexer.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace rc {

namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// `#define NAME value` with a plain number as value.
void Preprocess(const std::string& line, int number, std::map<std::string, long long>& defines) {
  std::istringstream in(line.substr(1));
  std::string directive, name, value;
  in >> directive >> name >> value;
  if (directive != "define") return;
  if (name.empty() || value.empty()) throw Error(number, "malformed #define");
  char* end = nullptr;
  long long v = std::strtoll(value.c_str(), &end, 0);
  if (*end && *end != 'L') throw Error(number, "#define needs a number: " + value);
  defines[name] = v;
}

std::string ReadString(const std::string& s, size_t& i, int line) {
  std::string out;
  ++i;  // opening quote
  while (i < s.size()) {
    char c = s[i++];
    if (c == '"') {
      if (i < s.size() && s[i] == '"') {
        out.push_back('"');
        ++i;
        continue;
      }
      return out;
    }
    if (c == '\\' && i < s.size()) {
      char e = s[i++];
      switch (e) {
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case '\\': out.push_back('\\'); break;
        case '"': out.push_back('"'); break;
        default: out.push_back('\\'); out.push_back(e);
      }
      continue;
    }
    if (c == '\n') throw Error(line, "string runs past the end of the line");
    out.push_back(c);
  }
  throw Error(line, "unterminated string");
}

}  // namespace

std::vector<Token> Tokenize(const std::string& s, std::map<std::string, long long>& defines) {
  std::vector<Token> tokens;
  int line = 1;
  size_t i = 0;
  bool lineStart = true;
  while (i < s.size()) {
    char c = s[i];
    if (c == '\n') {
      ++line;
      ++i;
      lineStart = true;
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    if (lineStart && c == '#') {
      size_t end = s.find('\n', i);
      Preprocess(s.substr(i, end == std::string::npos ? std::string::npos : end - i), line, defines);
      i = end == std::string::npos ? s.size() : end;
      continue;
    }
    lineStart = false;
    if (s.compare(i, 2, "//") == 0) {
      i = s.find('\n', i);
      if (i == std::string::npos) i = s.size();
      continue;
    }
    if (s.compare(i, 2, "/*") == 0) {
      size_t end = s.find("*/", i + 2);
      if (end == std::string::npos) throw Error(line, "unterminated comment");
      for (size_t k = i; k < end; ++k) line += s[k] == '\n';
      i = end + 2;
      continue;
    }
    Token t;
    t.line = line;
    if (c == '"') {
      t.kind = Token::Kind::String;
      t.text = ReadString(s, i, line);
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      char* end = nullptr;
      t.kind = Token::Kind::Number;
      t.value = std::strtoll(s.c_str() + i, &end, 0);
      i = static_cast<size_t>(end - s.c_str());
      if (i < s.size() && (s[i] == 'L' || s[i] == 'l')) ++i;
    } else if (IsNameStart(c)) {
      size_t start = i;
      while (i < s.size() && IsNameChar(s[i])) ++i;
      t.kind = Token::Kind::Name;
      t.text = s.substr(start, i - start);
    } else if (std::string("{},|()+-~").find(c) != std::string::npos) {
      t.kind = Token::Kind::Punct;
      t.text = std::string(1, c);
      ++i;
    } else {
      throw Error(line, std::string("unexpected character '") + c + "'");
    }
    tokens.push_back(t);
  }
  Token end;
  end.line = line;
  tokens.push_back(end);
  return tokens;
}

}  // namespace rc
