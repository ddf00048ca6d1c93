// ISBNs as the catalogue keeps them, and letters moved between the files' UTF-8 and the site's
// Windows-1252.
#include <gtest/gtest.h>

#include <string>

#include "ambry/records/Isbn.h"
#include "ambry/records/Letters.h"

namespace {

struct IsbnCase {
  const char* written;
  const char* stored;
  bool valid;
};

TEST(Isbn, WrittenFormsBecomeTheEan13OrStayAsWritten) {
  const IsbnCase cases[] = {
      {"0-306-40615-2", "9780306406157", true},          // ISBN-10 as its ISBN-13
      {"978-0-306-40615-7", "9780306406157", true},
      {"ISBN 0306406152 (pbk.)", "9780306406157", true},  // label and qualifier
      {"0306406152 pbk.", "9780306406157", true},         // a qualifier without parentheses
      {"  978 0 306 40615 7  ", "9780306406157", true},
      {"080442957X", "9780804429573", true},              // check character X
      {"080442957x", "9780804429573", true},
      {"979-10-90636-07-1", "9791090636071", true},       // 979 has no ISBN-10
      {"0-306-40615-3", "0-306-40615-3", false},          // wrong check digit: not guessed at
      {"9780306406158", "9780306406158", false},
      {"9770306406150", "9770306406150", false},          // an EAN-13 that is no ISBN
      {"0-14 (pbk.)", "0-14", false},
      {"", "", false},
  };
  for (const IsbnCase& c : cases) {
    const Records::Isbn isbn = Records::normaliseIsbn(c.written);
    EXPECT_EQ(isbn.text, c.stored) << c.written;
    EXPECT_EQ(isbn.valid, c.valid) << c.written;
  }
  EXPECT_EQ(Records::isbn10Of("9780306406157"), "0306406152");
  EXPECT_EQ(Records::isbn10Of("9780804429573"), "080442957X");
  EXPECT_EQ(Records::isbn10Of("9791090636071"), "");
}

TEST(Letters, Utf8IsComposedAndWrittenInWindows1252) {
  // e with a combining diaeresis is the one letter 0xEB; the euro sign and the right single quote
  // are Windows-1252's own bytes.
  const Records::SiteText composed = Records::fromUtf8("Bronte\xCC\x88 \xE2\x82\xAC" "5 \xE2\x80\x99n");
  EXPECT_EQ(composed.text, "Bront\xEB \x80" "5 \x92n");
  EXPECT_TRUE(composed.unwritable.empty());
  EXPECT_FALSE(composed.undecodable);
  // A letter Windows-1252 has not is named, never dropped; MARC's non-sorting marks go.
  const Records::SiteText polish = Records::fromUtf8("\xC2\x98The \xC2\x9C" "Wi\xC4\x99" "cej\tdwa");
  EXPECT_EQ(polish.text, "The Wi?cej dwa");
  EXPECT_EQ(polish.unwritable, std::vector<char32_t>{0x0119});
  const Records::SiteText broken = Records::fromUtf8("ab\xC3(c");
  EXPECT_TRUE(broken.undecodable);
  EXPECT_EQ(broken.text, "ab?(c");
}

TEST(Letters, Windows1252RoundTripsThroughUtf8AndUndefinedBytesAreMarked) {
  const std::string site = "Kr\xEA" "eftige M\xF4re \x80 \x93x\x94";
  EXPECT_EQ(Records::fromUtf8(Records::toUtf8(site)).text, site);
  const Records::SiteText undefined = Records::fromWindows1252("a\x81" "b\x01");
  EXPECT_EQ(undefined.text, "a?b?");
  EXPECT_TRUE(undefined.undecodable);
}

}  // namespace
