// The editors' table: each editor program of programs.txt finds its row by its name, and the row's
// column list is its table's columns as sql/schema.sql makes them, in order (the form's field i
// shows column i of SELECT *).
#include <gtest/gtest.h>

#include <string>

#include "programs/editors/EditorParts.h"
#include "tests/support/ProgramList.h"
#include "tests/support/Strings.h"
#include "tests/support/TestDB.h"

namespace {

// The columns of the test database's table, which sql/schema.sql made, each followed by a blank.
std::string schemaColumns(TestSupport::TestDB& sql, const std::string& table) {
  std::string columns;
  for (const TestSupport::Row& row :
       sql.query("SELECT COLUMN_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() AND "
                 "LOWER(TABLE_NAME) = '" +
                 table + "' ORDER BY ORDINAL_POSITION"))
    columns += row[0].value_or("") + " ";
  return columns;
}

TEST(EditorTable, EveryEditorsRowHasItsTablesColumnsInOrder) {
  TestSupport::TestDB sql;
  const std::vector<std::string> programs = TestSupport::listedPrograms("staff", "editors");
  ASSERT_EQ(programs.size(), 5u);
  for (const std::string& program : programs) {
    const std::string name = program.substr(0, program.rfind("_editor"));
    const Keystone::Array<Keystone::String> fields =
        Editors::editorFields(Editors::editorNamed(name.c_str()));
    std::string columns;
    for (int i = 0; i < fields.size(); ++i) columns += str(fields[i]) + " ";
    EXPECT_EQ(columns, schemaColumns(sql, name)) << program;
  }
  EXPECT_THROW(Editors::editorNamed("dewey"), Keystone::Exception);
}

}  // namespace
