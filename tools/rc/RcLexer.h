// Tokens of a resource script: names, numbers, strings and punctuation.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace rc {

struct Token {
  enum class Kind { Name, Number, String, Punct, End };
  Kind kind = Kind::End;
  std::string text;     // name, punctuation or the decoded UTF-8 string
  long long value = 0;  // numbers
  int line = 0;
};

class Error : public std::runtime_error {
 public:
  Error(int line, const std::string& what) : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

// Splits the script into tokens; `#define NAME value` lines extend `defines`,
// other preprocessor lines are skipped.
std::vector<Token> Tokenize(const std::string& script, std::map<std::string, long long>& defines);

}  // namespace rc
