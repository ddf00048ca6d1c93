// The compiled-in tables: completeness, order, exact bytes and settings taken from the environment.
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
TEST(ResourceTables, BothLanguagesHoldTheSameKeysInOrder) {
  const ResourceTable& texts = resource;
  ASSERT_EQ(texts.size(), 2);
  const auto& afr = texts["afr"];
  const auto& eng = texts["eng"];
  ASSERT_EQ(afr.size(), eng.size());
  expectStrictKeyOrder(texts, "languages");
  expectStrictKeyOrder(eng, "eng");
  for (int i = 0; i < eng.size(); ++i) {
    EXPECT_EQ(str(afr.entryAt(i).first), str(eng.entryAt(i).first));
    EXPECT_GT(eng.entryAt(i).second.length(), 0) << eng.entryAt(i).first.c_str();
    EXPECT_GT(afr.entryAt(i).second.length(), 0) << afr.entryAt(i).first.c_str();
  }
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

TEST(ResourceTables, SettingsInOrder) {
  const PropertyTable& settings = property;
  expectStrictKeyOrder(settings, "settings");
  // No shared catalogue until an installer names one: the book editor then offers no fetch.
  EXPECT_EQ(str(settings["catalogue_target"]), "");
  std::string header = str(settings["header"]);
  std::string tail = "%s<script language=\"JavaScript\">\n   script_name = \"%s\"\n   area = %d\n</script>\n";
  ASSERT_GT(header.size(), tail.size());
  EXPECT_EQ(header.substr(header.size() - tail.size()), tail);
}

TEST(ResourceTables, EveryEditorPageHasOneCaptionPerColumnInOrder) {
  const ResourceArrayTable& arrays = resourceArray;
  expectStrictKeyOrder(arrays, "selectors");
  for (int i = 0; i < arrays.size(); ++i) expectStrictKeyOrder(arrays.valueAt(i), arrays.keyAt(i).c_str());
  EXPECT_EQ(arrays["afr"].size(), arrays["eng"].size());
  for (const char* language : {"afr", "eng"}) {
    for (const char* table : {"blacklist", "book", "checkout", "member", "reservation"}) {
      EXPECT_EQ(arrays[language][Keystone::String("admin_") + table].size(), arrays["tables"][table].size())
          << language << " " << table;
    }
  }
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
  for (const char* table : {"blacklist", "book", "checkout", "member", "reservation"}) {
    const auto& columns = arrays["tables"][table];
    for (int i = 0; i < columns.size(); ++i) EXPECT_TRUE(forms[table].contains(columns[i])) << table << i;
  }
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
  EXPECT_EQ(settings.size(), property.size());
  EXPECT_EQ(str(settings["admin_password"]), "S3cret%s");
  EXPECT_EQ(str(settings["mysql_host"]), "db.example");
  EXPECT_EQ(str(settings["mysql_password"]), "marmots");
}

TEST_F(SettingOverride, EmptyVariableKeepsCompiledInValue) {
  setenv("AMBRY_ADMIN_PASSWORD", "", 1);
  EXPECT_EQ(str(buildPropertyTable()["admin_password"]), "marmots");
}

}  // namespace
