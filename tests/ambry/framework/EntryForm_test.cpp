// The generated entry form: rows, custom and additional controls, the button script.
#include "tests/ambry/framework/FrameworkTestSupport.h"

class EntryForm : public EnglishPageTest {};

namespace {

std::string form(const char* table) {
  return TestSupport::captureStdout([&] { Ambry::printEntryForm(table); });
}

// One row of the form: the caption labels the control by the control's own id.
std::string row(const std::string& caption, const std::string& control) {
  const size_t id = control.find(" id=\"") + 5;
  return "<tr><td nowrap=\"nowrap\" align=\"right\"><label for=\"" +
         control.substr(id, control.find('"', id) - id) + "\">" + caption + ":</label></td><td>&nbsp;" +
         control + "</td></tr>\n";
}

// The hidden fields go by name alone: the page's ids "cmd" and "id" name one element each.
const char* kFormHead =
    "<table align=\"center\" bgcolor=\"green\" border=\"1\" bordercolor=\"#FAB005\">\n<tr><td "
    "align=\"center\">\n"
    "<form method=\"post\" name=\"requestForm\">\n<input type=\"hidden\" name=\"cmd\">\n"
    "<input type=\"hidden\" name=\"id\">\n<input type=\"hidden\" name=\"lastid\">\n</form>\n"
    "<form method=\"post\" name=\"entryForm\">\n<input type=\"hidden\" name=\"cmd\">\n<table>\n";

const char* kPlainTail =
    "<tr><td colspan=\"2\" align=\"center\" nowrap=\"nowrap\"><br>\n<script language=\"JavaScript\">\n"
    "   if (search)\n      printEntryFormSearchControls()\n   else\n      printEntryFormDefaultControls()\n"
    "</script>\n</td></tr>\n</table>\n</form>\n</td></tr>\n</table></center>\n";

std::string box(const std::string& name, const std::string& size = "50") {
  return "<input id=\"" + name + "\" name=\"" + name + "\" size=\"" + size + "\">";
}

}  // namespace

TEST_F(EntryForm, ReservationFormIsFourPlainBoxes) {
  EXPECT_EQ(std::string(kFormHead) + row("Reservation ID", box("id")) + row("Member ID", box("memberid")) +
                row("Book ID", box("bookid")) + row("Reservation Date", box("addDate")) + kPlainTail,
            form("reservation"));
}

TEST_F(EntryForm, BookFormRows) {
  const std::string out = form("book");
  EXPECT_EQ(0u, out.find(kFormHead));
  EXPECT_NE(std::string::npos, out.find(std::string(kFormHead) + row("Book ID", box("id"))));
  EXPECT_NE(std::string::npos,
            out.find(row("Dewey", "<input id=\"dewey\" name=\"dewey\" size=\"50\" maxlength=\"3\">")));
  EXPECT_NE(std::string::npos,
            out.find(row(
                "Condition",
                "<select id=\"_condition\" name=\"_condition\" size=\"10\"><script language=\"JavaScript\">"
                "for (var i = 10; i >= 1; i--) document.write(\"<option value='\" + i + \"'>\" + i + "
                "(i == 1 ? \" - \" + STR_BOOKCONDITION1 : (i == 10 ? \" - \" + STR_BOOKCONDITION10 : "
                "\"\")) + \"</option>\")</script></select>")));
  EXPECT_NE(std::string::npos, out.find(row("ISBN",
                                            "<input id=\"isbn\" name=\"isbn\" size=\"50\" onkeypress=\"if "
                                            "(!search && window.event.keyCode == 13) submitRequestForm("
                                            "entryForm.isbn.value, CMD_ISBN_SCAN)\">")));
  EXPECT_EQ(8, [&] {
    int n = 0;
    for (size_t p = out.find("<tr><td nowrap"); p != std::string::npos; p = out.find("<tr><td nowrap", p + 1))
      ++n;
    return n;
  }());
  EXPECT_EQ(out.size() - std::string(kPlainTail).size(), out.rfind(kPlainTail));
}

TEST_F(EntryForm, CheckoutFormHasTheReturnButtonBlock) {
  const std::string out = form("checkout");
  EXPECT_NE(
      std::string::npos,
      out.find(row("Return Date",
                   "<input id=\"returnDate\" name=\"returnDate\" size=\"15\" onchange=\"updateEntryFormDate"
                   "Controls(entryForm.returnDate)\">&nbsp;<script language=\"JavaScript\">printEntryFormDate"
                   "Controls(entryForm.returnDate)</script>")));
  const std::string tail =
      "   if (search)\n      printEntryFormSearchControls()\n   else {\n      "
      "printEntryFormDefaultControls()\n"
      "      document.writeln('<br><br><input type=\"button\" id=\"btnReturnBook\" value=\"' + "
      "STR_RETURNBOOK + '\" "
      "onclick=\"submitRequestForm(entryForm.id.value, CMD_CHECKIN)\" disabled=\"disabled\">')\n"
      "   }</script>\n</td></tr>\n</table>\n</form>\n</td></tr>\n</table></center>\n";
  EXPECT_EQ(out.size() - tail.size(), out.rfind(tail));
}

TEST_F(EntryForm, MemberFormPasswordAndDateControls) {
  const std::string out = form("member");
  EXPECT_NE(
      std::string::npos,
      out.find(row("Password", "<input id=\"password\" name=\"password\" size=\"50\" type=\"password\">")));
  EXPECT_NE(std::string::npos,
            out.find("<input id=\"accountExpiryDate\" name=\"accountExpiryDate\" size=\"15\" "));
}

TEST_F(EntryForm, AfrikaansChangesOnlyTheCaptions) {
  const std::string english = form("book");
  Ambry::setLanguage("afr");
  const std::string afrikaans = form("book");
  EXPECT_NE(std::string::npos, afrikaans.find(row("Boek ID", box("id"))));
  EXPECT_NE(std::string::npos, afrikaans.find(">Toestand:</label></td>"));
  std::string translated = english;
  for (auto [from, to] :
       std::initializer_list<std::pair<std::string, std::string>>{{">Book ID:", ">Boek ID:"},
                                                                  {">Author:", ">Outeur:"},
                                                                  {">Title:", ">Titel:"},
                                                                  {">Price:", ">Prys:"},
                                                                  {">Condition:", ">Toestand:"},
                                                                  {">Add Date:", ">Invoegingsdatum:"}}) {
    translated.replace(translated.find(from), from.size(), to);
  }
  EXPECT_EQ(translated, afrikaans);
}

TEST_F(EntryForm, TableWithoutCaptionsFailsBeforeWritingTheForm) {
  std::string out;
  bool threw = false;
  out = TestSupport::captureStdout([&] {
    try {
      Ambry::printEntryForm("dewey");
    } catch (const Keystone::Exception& error) {
      threw = true;
      EXPECT_EQ("Error in Array<T>::operator[](const int index) const: index < 0 || index >= mSize",
                str(error.getMessage()));
    }
  });
  EXPECT_TRUE(threw);
  EXPECT_EQ(std::string::npos, out.find("<table"));
  EXPECT_NE(std::string::npos, out.find("admin_dewey"));
}
