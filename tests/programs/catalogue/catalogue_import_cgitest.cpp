// Black-box tests of the catalogue import and export: files written by yaz-marcdump (MARC-8 and
// UTF-8 ISO 2709, MARCXML) and spreadsheets of either language through preview and import, the
// books they give, malformed files refused whole, the held upload, and an export read back.
#include <filesystem>

#include "tests/programs/catalogue/CatalogueCgi.h"

namespace CatalogueTest {
namespace {

using TestSupport::english;
using TestSupport::popsUp;

// Four records as a library system exports them: a full one, one priced in dollars under its
// added entry, one without a title, and one in Polish, whose l with stroke Windows-1252 has not
// (one MARC-8 has, so that it survives yaz-marcdump in every form).
const char* const kRecords = R"(<collection xmlns="http://www.loc.gov/MARC21/slim">
<record><leader>00000nam a2200000 a 4500</leader>
<datafield tag="020" ind1=" " ind2=" "><subfield code="a">0-306-40615-2 (pbk.)</subfield><subfield code="c">R150.00</subfield></datafield>
<datafield tag="082" ind1="0" ind2="4"><subfield code="a">823.914</subfield></datafield>
<datafield tag="100" ind1="1" ind2=" "><subfield code="a">Brontë, Émile,</subfield></datafield>
<datafield tag="245" ind1="1" ind2="0"><subfield code="a">Kreeftige Môre :</subfield><subfield code="b">'n roman /</subfield></datafield>
</record>
<record><leader>00000nam a2200000 a 4500</leader>
<datafield tag="020" ind1=" " ind2=" "><subfield code="a">080442957X</subfield><subfield code="c">$25.00</subfield></datafield>
<datafield tag="082" ind1="0" ind2="4"><subfield code="a">891.73</subfield></datafield>
<datafield tag="245" ind1="1" ind2="0"><subfield code="a">Crime and punishment</subfield></datafield>
<datafield tag="700" ind1="1" ind2=" "><subfield code="a">Dostoevsky, Fyodor,</subfield></datafield>
</record>
<record><leader>00000nam a2200000 a 4500</leader>
<datafield tag="100" ind1="1" ind2=" "><subfield code="a">Nobody,</subfield></datafield>
</record>
<record><leader>00000nam a2200000 a 4500</leader>
<datafield tag="100" ind1="1" ind2=" "><subfield code="a">Miłosz, Czesław</subfield></datafield>
<datafield tag="245" ind1="1" ind2="0"><subfield code="a">Zły</subfield></datafield>
</record>
</collection>
)";

// The books of those records, condition 6 chosen for the file.
const std::vector<std::string> kRecordBooks = {
    "Bront\xEB, \xC9mile|Kreeftige M\xF4re : 'n roman|9780306406157|823|150.00|6",
    "Dostoevsky, Fyodor|Crime and punishment|9780804429573|891|0.00|6",
    "Mi?osz, Czes?aw|Z?y|-|0|0.00|6",
};

class CatalogueImport : public CatalogueCgi {};

TEST_F(CatalogueImport, MarcFilesOfEveryFormPreviewThenImportTheirBooks) {
  struct Form {
    const char* name;
    const char* options;  // yaz-marcdump's, from the UTF-8 MARCXML above
    const char* lang;
    const char* counts;
    const char* done;
  };
  const Form forms[] = {
      {"marc8.mrc", "-o marc -f UTF-8 -t MARC-8 -l 9=32", "eng",
       "Records read: 4. To be added: 3, 2 of them with remarks. Skipped: 1.",
       "Books added to the catalogue: 3. Records skipped: 1."},
      {"utf8.mrc", "-o marc -l 9=97", "afr", "Rekords gelees: 4. Word bygevoeg: 3, waarvan 2 met opmerkings. Oorgeslaan: 1.",
       "Boeke by die katalogus gevoeg: 3. Rekords oorgeslaan: 1."},
      {"records.xml", "-o marcxml", "eng", "Records read: 4. To be added: 3, 2 of them with remarks. Skipped: 1.",
       "Books added to the catalogue: 3. Records skipped: 1."},
  };
  for (const Form& form : forms) {
    db.reset();
    const std::string file = marcdump(site, kRecords, form.options);
    ASSERT_FALSE(file.empty()) << form.name;
    const std::string preview = upload(form.name, file, form.lang);
    EXPECT_NE(preview.find(form.counts), std::string::npos) << form.name << preview;
    // The first books as they will be stored, letters composed into the page's single bytes.
    EXPECT_NE(preview.find("<td nowrap=\"nowrap\">Bront\xEB, \xC9mile</td>\n<td nowrap=\"nowrap\">Kreeftige M\xF4re : "
                           "&#39;n roman</td>"),
              std::string::npos)
        << form.name;
    if (std::string(form.lang) == "eng") {
      EXPECT_NE(preview.find("<td nowrap=\"nowrap\">3</td>\n<td nowrap=\"nowrap\">245</td>\n<td nowrap=\"nowrap\">No title: "
                             "the record is skipped.</td>"),
                std::string::npos)
          << form.name;
      EXPECT_NE(preview.find("<td nowrap=\"nowrap\">4</td>\n<td nowrap=\"nowrap\">100</td>\n<td nowrap=\"nowrap\">The letter "
                             "&#322; (U+0142) cannot be written"),
                std::string::npos)
          << form.name;
      EXPECT_NE(preview.find("The price $25.00 is not in the library's currency (ZAR): 0.00 is stored."), std::string::npos)
          << form.name;
    }
    EXPECT_TRUE(books().empty()) << "a preview adds nothing";
    ASSERT_EQ(heldFiles().size(), 1u) << form.name;
    const std::string done = confirm(preview, "&condition=6", form.lang);
    EXPECT_NE(done.find(form.done), std::string::npos) << form.name << done;
    EXPECT_EQ(books(), kRecordBooks) << form.name;
    EXPECT_TRUE(heldFiles().empty()) << "the file goes once imported";
  }
  // The imports made their safety restore point first, of the kind that is pruned.
  int safetyPoints = 0;
  for (const auto& entry : std::filesystem::directory_iterator(site.backup())) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 11 && name.compare(name.size() - 11, 11, "-safety.bak") == 0) ++safetyPoints;
  }
  EXPECT_GT(safetyPoints, 0);
}

TEST_F(CatalogueImport, SpreadsheetsInEitherLanguageImport) {
  // English: UTF-8 with a byte-order mark, commas, a comma between thousands.
  upload("books.csv", "\xEF\xBB\xBF" "Author,Title,ISBN,Dewey,Price,Condition\r\n"
         "Bront\xC3\xAB,\"Kreeftige M\xC3\xB4re, 'n roman\",978-0-306-40615-7,823.914,\"1,250.50\",9\r\n");
  // Afrikaans: Windows-1252, semicolons, a decimal comma, columns in another order.
  const std::string preview = upload("boeke.csv", "Titel;Outeur;Prys;Toestand\r\nKr\xEA" "eftige M\xF4re;Brink, Andr\xE9;12,50;3\r\n", "afr");
  EXPECT_EQ(heldFiles().size(), 2u);
  confirm(preview, "", "afr");
  EXPECT_EQ(books(), (std::vector<std::string>{"Brink, Andr\xE9|Kr\xEA" "eftige M\xF4re|-|0|12.50|3"}));
}

TEST_F(CatalogueImport, BooksWhoseIsbnIsCataloguedAreCopiesOrSkippedAsChosen) {
  db.addBook("Brink", "Held", "9780306406157");
  const std::string file = "Title,ISBN\nOne,0-306-40615-2\nTwo,9780306406157\nThree,9780804429573\n";
  std::string preview = upload("copies.csv", file);
  EXPECT_NE(preview.find("The ISBN 9780306406157 is in the catalogue already"), std::string::npos) << preview;
  EXPECT_NE(preview.find("id=\"duplicates_skip\" name=\"duplicates\" value=\"skip\""), std::string::npos);
  confirm(preview, "&duplicates=skip");
  EXPECT_EQ(db.scalar("SELECT GROUP_CONCAT(title ORDER BY id) FROM BOOK"), "Held,Three");
  confirm(upload("copies.csv", file), "&duplicates=copies");
  EXPECT_EQ(db.scalar("SELECT GROUP_CONCAT(title ORDER BY id) FROM BOOK"), "Held,Three,One,Two,Three");
}

TEST_F(CatalogueImport, MalformedFilesAreRefusedWholeNamingTheRecord) {
  const std::string iso = marcdump(site, kRecords, "-o marc -f UTF-8 -t MARC-8 -l 9=32");
  const std::string xml = marcdump(site, kRecords, "-o marcxml");
  ASSERT_GT(iso.size(), 100u);
  const size_t first = std::stoul(iso.substr(0, 5));  // where record 2 starts
  const std::string at2 = std::to_string(first);
  auto changed = [&](size_t at, const std::string& bytes) { return iso.substr(0, at) + bytes + iso.substr(at + bytes.size()); };
  struct Malformed {
    const char* name;
    std::string content;
    std::string message;
  };
  const Malformed cases[] = {
      {"leader.mrc", changed(2, "x"), "Record 1 (from byte 0) has no valid MARC21 leader"},
      {"counts.mrc", changed(10, "3"), "Record 1 (from byte 0) has no valid MARC21 leader"},
      {"truncated.mrc", iso.substr(0, first + 30), "The file ends inside record 2 (from byte " + at2 + ")."},
      {"directory.mrc", changed(first + 24 + 7, "99999"), "Record 2 (from byte " + at2 + ") has a broken directory"},
      {"terminator.mrc", changed(first - 1, "x"), "Record 1 (from byte 0) does not end with the record terminator (1D)."},
      {"cut.xml", xml.substr(0, xml.find("<record", xml.find("<record") + 1) + 40),
       "The MARCXML file is not well-formed XML near record 2 (line "},
      {"entities.xml", "<?xml version=\"1.0\"?>\n<!DOCTYPE c [<!ENTITY a \"aaaaaaaa\">]>\n" + xml.substr(xml.find("<collection")),
       "The MARCXML file is not well-formed XML near record 1 (line "},
      {"none.xml", "<collection xmlns=\"http://www.loc.gov/MARC21/slim\"></collection>", english("err_import_empty")},
      {"quote.csv", "Title,Author\nFine,A\n\"Open,B\nstill open\n", "A quoted cell that begins in row 3 of the CSV file"},
      {"untitled.csv", "Author,ISBN\nA,1\n", english("err_import_unrecognised")},
      {"empty.mrc", "", english("err_import_no_file")},
  };
  for (const Malformed& c : cases) {
    const std::string page = upload(c.name, c.content);
    EXPECT_NE(page.find(c.message), std::string::npos) << c.name << "\n" << page;
    EXPECT_EQ(token(page), "") << c.name;
  }
  EXPECT_TRUE(heldFiles().empty());
  EXPECT_TRUE(books().empty());
}

TEST_F(CatalogueImport, TheHeldFileIsTheLibrariansAndGoesAfterAnHour) {
  const std::string file = "Title\nOne\n";
  // Not from another site's page.
  std::string page = upload("a.csv", file, "eng", {{"HTTP_HOST", "lib.example"},
                                                    {"HTTP_ORIGIN", "http://evil.example"}});
  EXPECT_TRUE(popsUp(page, english("err_cross_site"))) << page;
  EXPECT_TRUE(heldFiles().empty());
  // Bound to the librarian who uploaded it: no one else imports or removes it.
  const std::string preview = upload("a.csv", file);
  for (const char* cmd : {"15", "16"}) {
    page = post(std::string("cmd=") + cmd + "&upload=" + token(preview), "eng", librarian(true));
    EXPECT_NE(page.find(english("err_import_gone")), std::string::npos) << page;
  }
  EXPECT_EQ(post("cmd=15&upload=../../etc/passwd").find(english("err_import_gone")) != std::string::npos, true);
  ASSERT_EQ(heldFiles().size(), 1u);
  EXPECT_NE(post("cmd=16&upload=" + token(preview)).find(english("msg_import_cancelled")), std::string::npos);
  EXPECT_TRUE(heldFiles().empty());
  // An hour after the preview it is removed by the next request.
  upload("a.csv", file);
  ASSERT_EQ(heldFiles().size(), 1u);
  const std::filesystem::path held = site.root() + "/private/" + heldFiles()[0];
  std::filesystem::last_write_time(held, std::filesystem::last_write_time(held) - std::chrono::minutes(61));
  run("lang=eng", nullptr, "");
  EXPECT_TRUE(heldFiles().empty());
  EXPECT_TRUE(books().empty());
  // A body over the limit is not read at all.
  TestSupport::CgiRequest request;
  request.program = "catalogue";
  request.query = "lang=eng";
  request.body = "x";
  request.contentLength = "30000000";
  request.env = {{"CONTENT_TYPE", std::string("multipart/form-data; boundary=") + kBoundary}};
  request.cwd = site.cgiBin();
  EXPECT_NE(TestSupport::runCgi(request).output.find(english("err_import_too_large")), std::string::npos);
  // The file is its own body, never the request decoder's, which stops at 1 MiB.
  std::string big = "Title\n";
  for (int i = 1; i <= 100000; ++i) big += "Book " + std::to_string(i) + "\n";
  ASSERT_GT(big.size(), 1u << 20);
  EXPECT_NE(upload("big.csv", big).find("Records read: 100000."), std::string::npos);
}

TEST_F(CatalogueImport, AnExportReadsBackIntoAnEmptyCatalogue) {
  for (const char* format : {"marcxml", "marc", "csv"}) {
    // A copy, an invalid ISBN, a Dewey class below 100, a title a spreadsheet would run, letters.
    db.reset();
    db.exec("INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate) VALUES "
            "('Bront\xEB, \xC9mile', 'Kreeftige M\xF4re', '9780306406157', 823, 150.00, 7, NOW()), "
            "('Bront\xEB, \xC9mile', 'Kreeftige M\xF4re', '9780306406157', 823, 150.00, 7, NOW()), "
            "('Smith, J.', '\x93Quoted\x94 & <b>x</b> \x80 5', '0-14', 4, 0.00, 7, NOW()), "
            "('Adams', '=1+2 is not a formula', '9780804429573', 500, 12.50, 7, NOW())");
    const std::vector<std::string> catalogue = books();
    const std::string file = download(format);
    db.reset();
    confirm(upload(std::string("export.") + format, file), "&duplicates=copies&condition=7");
    EXPECT_EQ(books(), catalogue) << format << "\n" << file;
  }
}

}  // namespace
}  // namespace CatalogueTest
