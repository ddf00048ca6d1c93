// AmbryDB's side of the catalogue import: all the books in one guarded transaction or none, and
// the ISBN look-up that record text reaches only through the escaping module.
#include <algorithm>
#include <vector>

#include "tests/ambry/db/DbTestSupport.h"

namespace {

class CatalogueImport : public DbTest {
 protected:
  // n books, the i-th titled "Book i"; more than one statement's worth when n is above 500.
  static std::vector<Ambry::BookEntry> books(int n) {
    std::vector<Ambry::BookEntry> all;
    for (int i = 1; i <= n; ++i)
      all.push_back({"Brink, Andr\xE9", ("Book " + std::to_string(i)).c_str(), "9780306406157", "823", "99.95", "7"});
    return all;
  }
  std::string turn() { return sql.scalar("SELECT turn FROM RULEGUARD WHERE id = 1"); }
};

TEST_F(CatalogueImport, AllBooksGoInAsOneChangeBehindTheGuard) {
  sql.addBook();
  const std::string before = turn();
  Keystone::String added;
  const std::string out = captureStdout([&] { added = db.insertBooks(books(1200)); });
  EXPECT_EQ(str(added), "1200") << out;
  EXPECT_TRUE(TestSupport::popups(out).empty()) << out;
  EXPECT_EQ(count("BOOK", "author = 'Brink, Andr\xE9' AND price = 99.95 AND _condition = 7"), "1200");
  EXPECT_EQ(sql.scalar("SELECT title FROM BOOK ORDER BY id DESC LIMIT 1"), "Book 1200");
  EXPECT_EQ(std::stoll(turn()), std::stoll(before) + 1);  // one transaction took the guard once
}

TEST_F(CatalogueImport, OneBadBookLeavesTheCatalogueAsItWas) {
  sql.addBook();
  // A Dewey code the table has not is refused before anything is written.
  std::vector<Ambry::BookEntry> unknownDewey = books(3);
  unknownDewey[2].dewey = "1000";
  std::string out = captureStdout([&] { EXPECT_EQ(str(db.insertBooks(unknownDewey)), ""); });
  EXPECT_TRUE(popsUp(out, englishError("insertBooks", "err_dewey_invalid"))) << out;
  // A value the server rejects (a title longer than its column) in the third statement: the two
  // statements before it are rolled back with it.
  std::vector<Ambry::BookEntry> tooLong = books(1200);
  tooLong[1100].title = std::string(300, 'x').c_str();
  out = captureStdout([&] { EXPECT_EQ(str(db.insertBooks(tooLong)), ""); });
  EXPECT_TRUE(popsUp(out, englishError("insertBooks", "err_query_unsuccessful"))) << out;
  EXPECT_EQ(count("BOOK"), "1");
}

TEST_F(CatalogueImport, IsbnLookUpFindsOnlyWhatIsThereWhateverTheText) {
  sql.addBook("A", "T", "9780306406157");
  sql.addBook("A", "T", "it''s");  // TestDB writes it into its statement as it stands
  db.selectBook_Isbns({"9780306406157", "x' OR '1'='1", "it's", "missing"});
  std::vector<std::string> found;
  while (db.getNextRow()) found.push_back(db.getField(0));
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"9780306406157", "it's"}));
  db.selectBook_Isbns({});
  EXPECT_FALSE(db.getNextRow());
}

}  // namespace
