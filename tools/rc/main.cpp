// The resource compiler: `rc SCRIPT OUTDIR` compiles a resource script into
// OUTDIR/resources_data.S and OUTDIR/resources_table.cpp.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>

#include "RcCompiler.h"
#include "RcOutput.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: rc SCRIPT OUTDIR\n");
    return 2;
  }
  std::string script = argv[1];
  std::ifstream in(script, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "rc: cannot read %s\n", script.c_str());
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string base = script.find('/') == std::string::npos ? "." : script.substr(0, script.rfind('/'));
  try {
    rc::Compiler compiler(base);
    rc::WriteOutputs(compiler.Compile(text), argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", script.c_str(), e.what());
    return 1;
  }
  return 0;
}
