// The library's rooms: the escaping module stands on the foundation types alone, and the texts
// and settings on it alone, so that the page framework and the database may use both and no two
// rooms depend on each other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

// The project headers that the files of a folder under ambry/ include, outside the folder itself.
std::vector<std::string> includesFromElsewhere(const std::string& folder) {
  const std::regex include(R"re(^#include "([^"]+)")re");
  std::vector<std::string> found;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(AMBRY_SOURCE_DIR) + "/ambry/" + folder)) {
    std::ifstream file(entry.path());
    std::smatch match;
    for (std::string line; std::getline(file, line);)
      if (std::regex_search(line, match, include) && match[1].str().rfind("ambry/" + folder + "/", 0) != 0)
        found.push_back(entry.path().filename().string() + ": " + match[1].str());
  }
  return found;
}

bool onlyFrom(const std::vector<std::string>& includes, const std::vector<std::string>& rooms) {
  for (const std::string& line : includes) {
    bool allowed = false;
    for (const std::string& room : rooms) allowed = allowed || line.find(": " + room) != std::string::npos;
    if (!allowed) return false;
  }
  return true;
}

TEST(Rooms, EscapingAndResourcesDependOnNoHigherRoom) {
  EXPECT_PRED2(onlyFrom, includesFromElsewhere("escape"), std::vector<std::string>({"keystone/"}));
  EXPECT_PRED2(onlyFrom, includesFromElsewhere("resources"),
               std::vector<std::string>({"keystone/", "ambry/escape/"}));
}

}  // namespace
