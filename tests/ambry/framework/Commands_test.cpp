// The command codes come from one place: the programs' Commands.h, which the entry form script
// repeats by name; no page or script writes a code as a bare number.
#include "ambry/framework/Commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

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

// The places where a page or a script would write a command code: a form's "cmd" field, a script's
// cmd member or field, a cmd parameter of an address, and the entry form script's calls. (A
// program's helper that takes a command takes an Ambry::Command, to which no number converts.)
const std::regex kCodeWrittenAsNumber(
    R"re(name=\\?"cmd\\?"[^>]*value=\\?"\d|\bcmd["'\]]*(\.value)?\s*[:=]\s*\\?["']?\d|[?&]cmd=\d|)re"
    R"re(submit(Request|Entry)Form(.*[(,]\s*\d+\s*\)|\(.*"\d+"))re");

// Lines of the programs, the library and the site's files that write a command code as a number.
std::vector<std::string> codesWrittenAsNumbers() {
  std::vector<std::string> found;
  for (const char* folder : {"programs", "ambry", "site"}) {
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::string(AMBRY_SOURCE_DIR) + "/" + folder)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream file(entry.path());
      int number = 0;
      for (std::string line; std::getline(file, line);)
        if (++number, std::regex_search(line, kCodeWrittenAsNumber))
          found.push_back(entry.path().string() + ":" + std::to_string(number) + ": " + line);
    }
  }
  return found;
}

}  // namespace

TEST(Commands, NoPageOrScriptWritesACodeAsANumber) {
  // Lines as they stand in the sources.
  for (const char* line :
       {R"x(      "\">\n<input type=\"hidden\" name=\"cmd\" value=\"4\">\n")x",
        R"x(  attributes += "'\" onmousedown=\"submitRequestForm(" + escapeHtml(id) + ", " + "4" + ")\"";)x",
        R"x(      return postTo(address, { cmd: "4", id: entry.elements["id"].value });)x",
        R"x(   form.elements["cmd"].value = 8;)x", R"x(<a href="book_editor.exe?lang=eng&cmd=4">)x",
        R"x(onclick="submitEntryForm(2)")x"})
    EXPECT_TRUE(std::regex_search(line, kCodeWrittenAsNumber)) << line;
  for (const char* line :
       {R"x(      return postTo(address, { cmd: CMD_JUMP, id: entry.elements["id"].value });)x",
        R"x(onclick=\"submitRequestForm(entryForm.id.value, CMD_CHECKIN)\")x",
        R"x(  int cmd = editorCommand(editor, atoi(query.get("cmd", "").c_str()));)x"})
    EXPECT_FALSE(std::regex_search(line, kCodeWrittenAsNumber)) << line;
  EXPECT_EQ(codesWrittenAsNumbers(), std::vector<std::string>());
}

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
