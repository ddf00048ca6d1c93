// Choosing the language of the texts from the request's lang parameter.
#include <gtest/gtest.h>

#include "tests/ambry/resources/LanguageFixture.h"

using namespace Ambry;

namespace {

class LanguageTest : public ResourcesTest::LanguageFixture {};

TEST_F(LanguageTest, EnglishIsAcceptedSilentlyAndSwitchesTexts) {
  select("afr");
  EXPECT_EQ(select("eng"), "");
  EXPECT_EQ(str(getLanguage()), "eng");
  EXPECT_EQ(str(getResource("library_name", false)), "Ashgrove Library");
}

TEST_F(LanguageTest, EmptyOrUnsupportedCodeIsRefusedInTheOldLanguage) {
  select("eng");
  EXPECT_EQ(select(""), "Error in setLanguage(\"\"): Invalid language specified<br>\n");
  EXPECT_EQ(str(getLanguage()), "eng");
  EXPECT_EQ(select("deu"), "Error in setLanguage(\"deu\"): Invalid language specified<br>\n");
  EXPECT_EQ(str(getLanguage()), "eng");
  select("afr");
  EXPECT_EQ(select("deu"), "Fout in setLanguage(\"deu\"): Ongeldige taal gegee<br>\n");
  EXPECT_EQ(str(getLanguage()), "afr");
}

TEST_F(LanguageTest, SupportedListIsSearchedAsPlainText) {
  EXPECT_EQ(select("fr"), "");
  EXPECT_EQ(str(getLanguage()), "fr");
  EXPECT_EQ(select("r,e"), "");
  EXPECT_EQ(str(getLanguage()), "r,e");
  // Refused from a language without texts: the refusal itself can only give the fixed message.
  EXPECT_EQ(
      select("xx"),
      "Error in getResource: Resource \"err_setlanguage\" not in map (language r,e possibly invalid)<br>\n");
  EXPECT_EQ(str(getLanguage()), "r,e");
}

TEST_F(LanguageTest, RefusedCodeIsEscapedInTheMessage) {
  select("eng");
  std::string out = select("<b>x");
  EXPECT_EQ(out.find("<b>"), std::string::npos) << out;
  EXPECT_NE(out.find("&lt;b&gt;x"), std::string::npos) << out;
}

}  // namespace
