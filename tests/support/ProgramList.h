// The programs of programs/programs.txt, as the build reads them.
#pragma once
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace TestSupport {

// The names of the listed programs that kind ("staff", "public", "tool") gets, in the list's
// order; only those of folder when one is given.
inline std::vector<std::string> listedPrograms(const std::string& kind, const std::string& folder = "") {
  std::ifstream list(std::string(AMBRY_SOURCE_DIR) + "/programs/programs.txt");
  std::vector<std::string> names;
  for (std::string line; std::getline(list, line);) {
    std::istringstream fields(line);
    std::string inFolder, name, who;
    if (line.empty() || line[0] == '#' || !(fields >> inFolder >> name >> who)) continue;
    if (who == kind && (folder.empty() || folder == inFolder)) names.push_back(name);
  }
  return names;
}

}  // namespace TestSupport
