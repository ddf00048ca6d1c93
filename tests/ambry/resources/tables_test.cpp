// The compiled-in tables: completeness, exact bytes and settings taken from the environment.
#include "ambry/resources/Tables.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/ambry/resources/LanguageFixture.h"

using namespace Ambry;

namespace {

// Every key strictly after the one before it: the lookups and the order of visits rely on it.
template <typename Table>
void expectStrictKeyOrder(const Table& table, const char* name) {
  for (int i = 1; i < table.size(); ++i) {
    EXPECT_LT(table.keyAt(i - 1), table.keyAt(i)) << name << " at " << i << ": " << table.keyAt(i).c_str();
  }
}

// Every text added in one language is added in the other.
// 120 of the pages, 5 of restores and updates, 3 of refusals, 17 of reports, 3 of restore points, 67 of
// the catalogue's import, export and copy cataloguing, 7 of the staff sign-in, 5 of the skip link, the
// schedule's fields and the months.
constexpr int kTextCount = 227;

TEST(ResourceTables, BothLanguagesHoldTheSameKeysInOrder) {
  const ResourceTable& texts = resource;
  ASSERT_EQ(texts.size(), 2);
  const auto& afr = texts["afr"];
  const auto& eng = texts["eng"];
  ASSERT_EQ(afr.size(), kTextCount);
  ASSERT_EQ(eng.size(), kTextCount);
  expectStrictKeyOrder(texts, "languages");
  expectStrictKeyOrder(eng, "eng");
  for (int i = 0; i < kTextCount; ++i) {
    EXPECT_EQ(str(afr.entryAt(i).first), str(eng.entryAt(i).first));
    EXPECT_GT(eng.entryAt(i).second.length(), 0) << eng.entryAt(i).first.c_str();
    EXPECT_GT(afr.entryAt(i).second.length(), 0) << afr.entryAt(i).first.c_str();
  }
}

TEST(ResourceTables, SpotChecksOfTexts) {
  const ResourceTable& texts = resource;
  EXPECT_EQ(str(texts["eng"]["err_admin_area"]),
            "<script language=\"JavaScript\">\n   alert(\"The password was incorrect. Please try again.\")\n"
            "   go(\"index.exe\")\n</script>\nReturning to home page.");
  EXPECT_EQ(str(texts["afr"]["title_patron_lookup"]), "Soek-'n-boek");
  EXPECT_EQ(str(texts["eng"]["msg_under_construction"]),
            "This section of the website is under construction.\n");
  EXPECT_EQ(str(texts["afr"]["err_checkout_exists"]),
            "Die gegewe lid het alreeeds die gegewe boek uitgeneem.");
  EXPECT_EQ(str(texts["eng"]["err_inccounter"]), "Error in Counter::inc(%d): !counterInitYet<br>\n");
}

TEST(ResourceTables, HomePageTextKeepsItsTwoPlaceholdersAndCredit) {
  const ResourceTable& texts = resource;
  for (const char* language : {"afr", "eng"}) {
    std::string text = str(texts[language]["content_index"]);
    EXPECT_EQ(text.find("%s"), text.rfind("%s")) << language;
    EXPECT_LT(text.find("%s"), text.find("%d")) << language;
    EXPECT_EQ(text.find('%'), text.find("%s")) << language;
    EXPECT_EQ(text.rfind('%'), text.find("%d")) << language;
    EXPECT_NE(text.find("<small>"), std::string::npos) << language;
    EXPECT_EQ(text.size() - 9, text.rfind("</small>\n")) << language;
  }
  EXPECT_NE(str(texts["afr"]["content_index"]).find("artifisi&#235;le grense"), std::string::npos);
}

TEST(ResourceTables, AfrikaansECircumflexIsTheSingleByteEA) {
  const ResourceTable& texts = resource;
  EXPECT_EQ(str(texts["afr"]["err_counter_init"]),
            "Fout in Counter::init(): Fout met inlees van besoekertal l\xEA"
            "er<br>\n");
  std::string flush = str(texts["afr"]["err_counterflush_output_file"]);
  size_t at = flush.find("datal");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(static_cast<unsigned char>(flush[at + 5]), 0xEA);
  EXPECT_EQ(flush.substr(at + 6), "er<br>\n");
}

TEST(ResourceTables, ThirtyOneSettingsInOrder) {
  const PropertyTable& settings = property;
  EXPECT_EQ(settings.size(), 31);
  expectStrictKeyOrder(settings, "settings");
  EXPECT_EQ(str(settings["file_mysqldump"]), "/usr/bin/mysqldump");
  EXPECT_EQ(str(settings["file_mysql"]), "/usr/bin/mysql");
  EXPECT_EQ(str(settings["footer"]), "</main>\n</body>\n</html>");
  EXPECT_EQ(str(settings["supported_languages"]), "afr,eng");
  EXPECT_EQ(str(settings["admin_password"]), str(settings["mysql_password"]));
  // No shared catalogue until an installer names one: the book editor then offers no fetch.
  EXPECT_EQ(str(settings["catalogue_target"]), "");
  std::string header = str(settings["header"]);
  std::string tail = "%s<script language=\"JavaScript\">\n   script_name = \"%s\"\n   area = %d\n</script>\n";
  ASSERT_GT(header.size(), tail.size());
  EXPECT_EQ(header.substr(header.size() - tail.size()), tail);
}

TEST(ResourceTables, EveryEditorPageHasOneCaptionPerColumnInOrder) {
  const ResourceArrayTable& arrays = resourceArray;
  ASSERT_EQ(arrays.size(), 3);
  expectStrictKeyOrder(arrays, "selectors");
  for (int i = 0; i < arrays.size(); ++i) expectStrictKeyOrder(arrays.valueAt(i), arrays.keyAt(i).c_str());
  EXPECT_EQ(arrays["tables"].size(), 6);
  for (const char* language : {"afr", "eng"}) {
    EXPECT_EQ(arrays[language].size(), 9) << language;
    for (const char* table : {"blacklist", "book", "checkout", "member", "reservation"}) {
      EXPECT_EQ(arrays[language][Keystone::String("admin_") + table].size(), arrays["tables"][table].size())
          << language << " " << table;
    }
    EXPECT_EQ(arrays[language]["patron_card"].size(), 8);
    EXPECT_EQ(arrays[language]["member_checkout"].size(), 5);
    EXPECT_EQ(arrays[language]["patron_hold"].size(), 3);
  }
  EXPECT_EQ(str(arrays["afr"]["admin_checkout"][4]), "Gestipuleerde<br>terugbesorgingsdatum");
  EXPECT_EQ(str(arrays["tables"]["member"][8]), "accountBalance");
}

TEST(ResourceTables, EveryColumnOfTheFiveTablesHasAFormEntryInOrder) {
  const FormDescriptionTable& forms = resourceMapStringMapStringParameterMap;
  const ResourceArrayTable& arrays = resourceArray;
  ASSERT_EQ(forms.size(), 5);
  expectStrictKeyOrder(forms, "forms");
  for (int i = 0; i < forms.size(); ++i) {
    const MapStringParameterMap& fields = forms.valueAt(i);
    expectStrictKeyOrder(fields, forms.keyAt(i).c_str());
    for (int j = 0; j < fields.size(); ++j) expectStrictKeyOrder(fields.valueAt(j), fields.keyAt(j).c_str());
  }
  EXPECT_EQ(forms["book"].size(), 10);
  EXPECT_EQ(forms["member"]["additional"].size(), 3);
  EXPECT_EQ(str(forms["checkout"]["returnDate"]["size"]), "15");
  for (const char* table : {"blacklist", "book", "checkout", "member", "reservation"}) {
    const auto& columns = arrays["tables"][table];
    for (int i = 0; i < columns.size(); ++i) EXPECT_TRUE(forms[table].contains(columns[i])) << table << i;
  }
  EXPECT_EQ(forms["reservation"].size(), 4);
  EXPECT_EQ(str(forms["book"]["additional"]["dewey"]), "maxlength=\"3\"");
  std::string date = str(forms["member"]["additional"]["accountExpiryDate"]);
  EXPECT_EQ(date.substr(date.rfind(')')), ")</script");
}

class SettingOverride : public ::testing::Test {
 protected:
  void TearDown() override {
    unsetenv("AMBRY_ADMIN_PASSWORD");
    unsetenv("AMBRY_MYSQL_HOST");
  }
};

TEST_F(SettingOverride, VariableNameIsKeyInUpperCase) {
  EXPECT_EQ(str(settingVariableName("mysql_password")), "AMBRY_MYSQL_PASSWORD");
  EXPECT_EQ(str(settingVariableName("file_mysqldump")), "AMBRY_FILE_MYSQLDUMP");
}

TEST_F(SettingOverride, SetVariableReplacesOnlyItsSetting) {
  setenv("AMBRY_ADMIN_PASSWORD", "S3cret%s", 1);
  setenv("AMBRY_MYSQL_HOST", "db.example", 1);
  PropertyTable settings = buildPropertyTable();
  EXPECT_EQ(settings.size(), 31);
  EXPECT_EQ(str(settings["admin_password"]), "S3cret%s");
  EXPECT_EQ(str(settings["mysql_host"]), "db.example");
  EXPECT_EQ(str(settings["mysql_password"]), "marmots");
}

TEST_F(SettingOverride, EmptyVariableKeepsCompiledInValue) {
  setenv("AMBRY_ADMIN_PASSWORD", "", 1);
  EXPECT_EQ(str(buildPropertyTable()["admin_password"]), "marmots");
}

}  // namespace
