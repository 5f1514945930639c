// macrogen DATA_DIR: writes constMacro.dat and the factory macro libraries of both languages
// (skins/INI_EN|INI_CN/macro and macroReset) into DATA_DIR, replacing what is there.

#include <iostream>

#include "macro/factory_macros.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: macrogen DATA_DIR\n";
    return 2;
  }
  if (!tarvosk::writeFactoryMacroData(argv[1])) {
    std::cerr << "macrogen: could not write every file under " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
