// The command codes of the programs and of the entry form script are the same numbers.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "ambry/framework/Commands.h"

namespace {

std::map<std::string, int> scriptCommands() {
  std::ifstream in(std::string(AMBRY_SOURCE_DIR) + "/site/data/entryform.js");
  std::stringstream text;
  text << in.rdbuf();
  std::map<std::string, int> codes;
  const std::regex declaration(R"(var (CMD_[A-Z_]+) = (\d+);)");
  const std::string s = text.str();
  for (std::sregex_iterator it(s.begin(), s.end(), declaration), end; it != end; ++it)
    codes[(*it)[1]] = std::stoi((*it)[2]);
  return codes;
}

}  // namespace

TEST(Commands, EntryFormScriptUsesTheProgramsCodes) {
  const std::map<std::string, int> expected = {
      {"CMD_FIRST", Ambry::CMD_FIRST},       {"CMD_INSERT", Ambry::CMD_INSERT},
      {"CMD_UPDATE", Ambry::CMD_UPDATE},     {"CMD_DELETE", Ambry::CMD_DELETE},
      {"CMD_JUMP", Ambry::CMD_JUMP},         {"CMD_PREVIOUS", Ambry::CMD_PREVIOUS},
      {"CMD_NEXT", Ambry::CMD_NEXT},         {"CMD_SEARCH", Ambry::CMD_SEARCH},
      {"CMD_CHECKIN", Ambry::CMD_CHECKIN},   {"CMD_ISBN_SCAN", Ambry::CMD_ISBN_SCAN},
      {"CMD_MEMBERID_SCAN", Ambry::CMD_MEMBERID_SCAN}};
  EXPECT_EQ(scriptCommands(), expected);
}
