// Lookups of texts, settings, column lists and form descriptions, and their messages on a miss.
#include <gtest/gtest.h>

#include "tests/ambry/resources/LanguageFixture.h"

using namespace Ambry;
using TestSupport::captureStdout;

namespace {

class LookupTest : public ResourcesTest::LanguageFixture {};

TEST_F(LookupTest, FoundTextIsWrittenNowhereAndFollowsTheLanguage) {
  select("eng");
  Keystone::String text;
  EXPECT_EQ(captureStdout([&] { text = getResource("caption_search", false); }), "");
  EXPECT_EQ(str(text), "Search");
  select("afr");
  EXPECT_EQ(str(getResource("caption_search", false)), "Soek");
}

TEST_F(LookupTest, MissingTextWritesMessageAndFallsBackToEmptyOrKey) {
  select("eng");
  Keystone::String empty("x"), key;
  EXPECT_EQ(captureStdout([&] { empty = getResource("no_such_text", false); }),
            "Error in getResource: Resource \"no_such_text\" not in map<br>\n");
  EXPECT_EQ(str(empty), "");
  EXPECT_EQ(captureStdout([&] { key = getResource("no_such_text", true); }),
            "Error in getResource: Resource \"no_such_text\" not in map<br>\n");
  EXPECT_EQ(str(key), "no_such_text");
  select("afr");
  EXPECT_EQ(captureStdout([&] { getResource("no_such_text", false); }),
            "Fout in getResource: Bron \"no_such_text\" nie gevind<br>\n");
}

TEST_F(LookupTest, LanguageWithoutTextsGivesFixedEnglishMessage) {
  select("fr");  // accepted: "fr" occurs inside "afr,eng"
  Keystone::String empty("x"), key;
  EXPECT_EQ(
      captureStdout([&] { empty = getResource("caption_search", false); }),
      "Error in getResource: Resource \"caption_search\" not in map (language fr possibly invalid)<br>\n");
  EXPECT_EQ(str(empty), "");
  captureStdout([&] { key = getResource("caption_search", true); });
  EXPECT_EQ(str(key), "caption_search");
}

TEST_F(LookupTest, KeyInMessageCannotInjectMarkup) {
  select("eng");
  std::string out = captureStdout([&] { getResource("<script>x</script>", false); });
  EXPECT_EQ(out.find("<script>"), std::string::npos) << out;
  EXPECT_NE(out.find("&lt;script&gt;"), std::string::npos) << out;
}

TEST_F(LookupTest, PropertiesDoNotDependOnLanguage) {
  select("eng");
  EXPECT_EQ(str(getProperty("mysql_port")), "3306");
  select("afr");
  EXPECT_EQ(str(getProperty("mysql_port")), "3306");
  EXPECT_EQ(str(getProperty("path_data")), "../data/");
}

TEST_F(LookupTest, MissingPropertyWritesMessageInCurrentLanguage) {
  select("eng");
  Keystone::String value("x");
  EXPECT_EQ(captureStdout([&] { value = getProperty("mysql_socket"); }),
            "Error in getProperty: Resource \"mysql_socket\" not in map<br>\n");
  EXPECT_EQ(str(value), "");
  select("afr");
  EXPECT_EQ(captureStdout([&] { getProperty("mysql_socket"); }),
            "Fout in getProperty: Bron \"mysql_socket\" nie gevind<br>\n");
}

TEST_F(LookupTest, ArraysByExplicitSelectorOrCurrentLanguage) {
  select("eng");
  Keystone::Array<Keystone::String> captions = getResourceArray("admin_book", "");
  ASSERT_EQ(captions.size(), 8);
  EXPECT_EQ(str(captions[0]), "Book ID");
  EXPECT_EQ(str(captions[6]), "Condition");
  EXPECT_EQ(str(getResourceArray("admin_book", "afr")[6]), "Toestand");
  select("afr");
  EXPECT_EQ(str(getResourceArray("admin_book", "")[0]), "Boek ID");
  Keystone::Array<Keystone::String> columns = getResourceArray("book", "tables");
  ASSERT_EQ(columns.size(), 8);
  EXPECT_EQ(str(columns[6]), "_condition");
}

TEST_F(LookupTest, MissingArrayNamesTheNameNotTheSelector) {
  select("eng");
  Keystone::Array<Keystone::String> none;
  EXPECT_EQ(captureStdout([&] { none = getResourceArray("book", ""); }),
            "Error in getResourceArray: Resource \"book\" not in map<br>\n");
  EXPECT_EQ(none.size(), 0);
  EXPECT_EQ(captureStdout([&] { none = getResourceArray("admin_book", "deu"); }),
            "Error in getResourceArray: Resource \"admin_book\" not in map<br>\n");
  EXPECT_EQ(none.size(), 0);
  EXPECT_EQ(captureStdout([&] { getResourceArray("dewey", "eng"); }),
            "Error in getResourceArray: Resource \"dewey\" not in map<br>\n");
}

TEST_F(LookupTest, FormDescriptionsAndTheirMessage) {
  select("eng");
  MapStringParameterMap checkout = getResourceMapStringParameterMap("checkout");
  EXPECT_EQ(checkout.size(), 7);  // six fields and "additional"
  EXPECT_EQ(str(checkout["returnDate"]["size"]), "15");
  EXPECT_EQ(checkout["inDate"].size(), 0);
  EXPECT_FALSE(checkout.contains("custom"));
  MapStringParameterMap none;
  EXPECT_EQ(captureStdout([&] { none = getResourceMapStringParameterMap("dewey"); }),
            "Error in getResourceMapStringParameterMap: Resource \"dewey\" not in map<br>\n");
  EXPECT_EQ(none.size(), 0);
  // The Afrikaans text has no blank before "nie".
  select("afr");
  EXPECT_EQ(captureStdout([&] { getResourceMapStringParameterMap("dewey"); }),
            "Fout in getResourceMapStringParameterMap: Bron \"dewey\"nie gevind<br>\n");
}

TEST_F(LookupTest, CallersGetTheirOwnCopies) {
  select("eng");
  Keystone::String text = getResource("caption_search", false);
  text += "!!";
  Keystone::Array<Keystone::String> columns = getResourceArray("book", "tables");
  columns[0] = "changed";
  MapStringParameterMap form = getResourceMapStringParameterMap("book");
  form["isbn"]["size"] = "99";
  EXPECT_EQ(str(getResource("caption_search", false)), "Search");
  EXPECT_EQ(str(getResourceArray("book", "tables")[0]), "id");
  EXPECT_FALSE(getResourceMapStringParameterMap("book")["isbn"].contains("size"));
}

}  // namespace
