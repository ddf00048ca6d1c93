// Editors: stepping through entries (previous, next), jumping to an id, and what a delete shows.
#include "tests/programs/editors/EditorCgi.h"

using namespace EditorTest;

class EditorNavigation : public ::testing::Test {
 protected:
  void SetUp() override {
    db.reset();
    db.addBook("Austen", "Emma", "978-3", 3);
    db.addBook("Bronte", "Jane Eyre", "978-4", 4);
    db.addBook("Collins", "The Moonstone", "978-5", 5);
    db.addBook("Dickens", "Bleak House", "978-7", 7);
  }
  TestSupport::TestDB db;
};

TEST_F(EditorNavigation, NextAndPreviousStepOverGaps) {
  auto next = post("book_editor", {{"cmd", "6"}, {"id", "5"}, {"lastid", "5"}});
  EXPECT_EQ(lastId(next.output), "7");
  EXPECT_EQ(field(next.output, "title"), "Bleak House");
  EXPECT_TRUE(controlsEnabled(next.output));
  EXPECT_TRUE(popups(next.output).empty());
  auto previous = post("book_editor", {{"cmd", "5"}, {"id", "7"}, {"lastid", "7"}});
  EXPECT_EQ(lastId(previous.output), "5");
}

TEST_F(EditorNavigation, NoEntryBeyondTheEndsPopsUpAndShowsTheLastIdEntry) {
  auto page = post("book_editor", {{"cmd", "6"}, {"id", "7"}, {"lastid", "7"}});
  ASSERT_EQ(popups(page.output), std::vector<std::string>{english("msg_no_next_entry")});
  // The message belongs to the form-filling function, ahead of the values.
  const std::string script = resetScript(page.output);
  EXPECT_LT(script.find("pumpMsg("), script.find("requestForm.lastid.value"));
  EXPECT_EQ(lastId(page.output), "7");
  EXPECT_EQ(field(page.output, "author"), "Dickens");
  EXPECT_TRUE(controlsEnabled(page.output));
  auto first = post("book_editor", {{"cmd", "5"}, {"id", "3"}, {"lastid", "3"}});
  EXPECT_EQ(popups(first.output), std::vector<std::string>{english("msg_no_prev_entry")});
  EXPECT_EQ(lastId(first.output), "3");
}

TEST_F(EditorNavigation, JumpToAMissingIdWithLastIdShowsTheLastIdEntry) {
  auto page = post("book_editor", {{"cmd", "4"}, {"id", "6"}, {"lastid", "3"}});
  std::string expected = english("err_id_not_exist");
  expected.replace(expected.find("%s"), 2, "6");
  EXPECT_EQ(popups(page.output), std::vector<std::string>{expected});
  EXPECT_EQ(lastId(page.output), "3");
  EXPECT_TRUE(controlsEnabled(page.output));
}

TEST_F(EditorNavigation, JumpToAMissingIdWithoutLastIdShowsItsNeighbour) {
  auto before = post("book_editor", {{"cmd", "4"}, {"id", "6"}});
  EXPECT_EQ(lastId(before.output), "5");
  auto after = post("book_editor", {{"cmd", "4"}, {"id", "2"}});
  EXPECT_EQ(lastId(after.output), "3");
}

TEST_F(EditorNavigation, JumpIdInTheMessageCannotBreakOutOfTheScript) {
  auto page = post("book_editor", {{"cmd", "4"}, {"id", "9');alert(1);('</script><b>"}, {"lastid", "3"}});
  EXPECT_EQ(page.output.find("');alert(1);('"), std::string::npos);
  EXPECT_EQ(page.output.find("</script><b>"), std::string::npos);
  EXPECT_EQ(lastId(page.output), "3");
}

TEST_F(EditorNavigation, DeleteWithoutLastIdShowsTheEntryBeforeOrElseAfter) {
  auto page = post("book_editor", {{"cmd", "3"}, {"id", "5"}});
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM BOOK WHERE id = 5"), "0");
  EXPECT_EQ(popups(page.output), std::vector<std::string>{english("msg_entry_deleted")});
  EXPECT_EQ(lastId(page.output), "4");
  EXPECT_TRUE(controlsEnabled(page.output));
  auto first = post("book_editor", {{"cmd", "3"}, {"id", "3"}});
  EXPECT_EQ(lastId(first.output), "4");  // nothing before the first: the entry after it
}

TEST_F(EditorNavigation, DeleteOfTheOnlyEntryShowsTheEmptyEntry) {
  db.exec("DELETE FROM BOOK WHERE id <> 4");
  auto page = post("book_editor", {{"cmd", "3"}, {"id", "4"}, {"lastid", "4"}});
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "id"), "1");
  EXPECT_FALSE(controlsEnabled(page.output));
}
