// The answer to the book editor's "Fetch details": the first record the shared catalogue holds for
// the ISBN, as the fields it fills (JSON), with a message in the page's language. Nothing is saved.
#include <cstdio>
#include <string>
#include <vector>

#include "ambry/records/IsbnFetch.h"
#include "ambry/records/Isbn.h"
#include "ambry/records/Letters.h"
#include "programs/catalogue/Catalogue.h"

namespace Catalogue {

using Keystone::String;

namespace {

// How long the librarian waits at most for the shared catalogue.
const int kFetchSeconds = 5;

struct Answer {
  std::vector<std::pair<const char*, std::string>> fields;  // form field and its value (site text)
  std::vector<String> messages;
};

String site(const std::string& value) {
  return String(value.c_str());
}

void printAnswer(const Answer& answer) {
  std::fputs("Content-Type: application/json\nCache-Control: no-store\n\n{\"found\": ", stdout);
  std::fputs(answer.fields.empty() ? "false" : "true", stdout);
  std::fputs(", \"fields\": {", stdout);
  for (size_t i = 0; i < answer.fields.size(); ++i)
    std::printf("%s\"%s\": \"%s\"", i > 0 ? ", " : "", answer.fields[i].first,
                Ambry::escapeJsonString(site(answer.fields[i].second)).c_str());
  String message;
  for (const String& part : answer.messages) message += (message.length() > 0 ? " " : "") + part;
  std::printf("}, \"message\": \"%s\"}\n", Ambry::escapeJsonString(message).c_str());
}

bool hasNote(const Records::BookDraft& draft, Records::NoteKind kind) {
  for (const Records::Note& note : draft.notes)
    if (note.kind == kind) return true;
  return false;
}

// What the catalogue knows: the id of a book with the ISBN ("" for none), and the Dewey table.
// Without the database both stay unknown and the fetch goes on.
String catalogueCheck(const Records::Isbn& isbn, std::vector<bool>& deweyCodes) {
  String bookId;
  try {
    Ambry::AmbryDB db;
    db.openConnection();
    Ambry::QueryMap query;
    query["isbn"] = isbn.text.c_str();
    db.selectBook_ISBN(query);
    if (db.getNextRow()) bookId = db.getField(0);
    db.selectDewey_All();
    deweyCodes.assign(1000, false);
    while (db.getNextRow()) {
      const int code = std::atoi(db.getField(0));
      if (code >= 0 && code < 1000) deweyCodes[code] = true;
    }
    db.closeConnection();
  } catch (const Keystone::Exception&) {
    deweyCodes.clear();
  }
  return bookId;
}

// The fields the record gives properly; what it lacks or gives in a form the catalogue cannot
// take stays as the librarian typed it.
void fill(Answer& answer, const Records::BookDraft& draft) {
  using Records::NoteKind;
  if (!draft.skipped) answer.fields.push_back({"title", draft.title});
  if (!hasNote(draft, NoteKind::kDefaultAuthor)) answer.fields.push_back({"author", draft.author});
  if (!hasNote(draft, NoteKind::kDefaultDewey) && !hasNote(draft, NoteKind::kUnknownDewey))
    answer.fields.push_back({"dewey", draft.dewey});
  if (!hasNote(draft, NoteKind::kDefaultPrice) && !hasNote(draft, NoteKind::kOtherCurrency) &&
      !hasNote(draft, NoteKind::kBadPrice))
    answer.fields.push_back({"price", draft.price});
  answer.messages.push_back(Ambry::getResource(answer.fields.empty() ? "err_fetch_unusable" : "msg_fetch_filled", false));
  for (const Records::Note& note : draft.notes) {
    const String value = site(note.value);
    if (note.kind == NoteKind::kOtherCurrency) answer.messages.push_back(filledText("msg_fetch_other_currency", {value}));
    if (note.kind == NoteKind::kUnknownDewey) answer.messages.push_back(filledText("msg_fetch_unknown_dewey", {value}));
    if (note.kind == NoteKind::kUnwritable) {
      char letter[16];
      std::snprintf(letter, sizeof letter, "U+%04X", static_cast<unsigned>(note.letter));
      answer.messages.push_back(filledText("note_unwritable", {letter}));
    }
  }
}

void answerFetch(Answer& answer, const String& written, const std::string& target) {
  const std::string typed = written.c_str();
  if (typed.find_first_not_of(" \t") == std::string::npos) {
    answer.messages.push_back(Ambry::getResource("err_fetch_no_isbn", false));
    return;
  }
  const Records::Isbn isbn = Records::normaliseIsbn(typed);
  if (!isbn.valid) {
    answer.messages.push_back(filledText("err_fetch_invalid_isbn", {site(isbn.text)}));
    return;
  }
  Records::MappingRules rules = Records::mappingRules(Ambry::getProperty("currency").c_str());
  const String bookId = catalogueCheck(isbn, rules.deweyCodes);
  if (bookId.length() > 0) {
    answer.messages.push_back(filledText("err_fetch_in_catalogue", {bookId}));
    return;
  }
  const Records::Fetched fetched = Records::fetchByIsbn(target, isbn.text, kFetchSeconds);
  switch (fetched.result) {
    case Records::FetchResult::kFound:
      fill(answer, Records::mapMarcRecord(1, &fetched.record, rules));
      return;
    case Records::FetchResult::kNoRecord:
      answer.messages.push_back(Ambry::getResource("err_fetch_no_record", false));
      return;
    case Records::FetchResult::kTimeout:
      answer.messages.push_back(Ambry::getResource("err_fetch_timeout", false));
      return;
    case Records::FetchResult::kUnreachable:
      answer.messages.push_back(Ambry::getResource("err_fetch_unreachable", false));
      return;
    case Records::FetchResult::kRefused:
      answer.messages.push_back(filledText("err_fetch_refused", {site(Records::fromUtf8(fetched.diagnostic).text)}));
      return;
    default:
      answer.messages.push_back(Ambry::getResource("err_fetch_unusable", false));
  }
}

}  // namespace

void printFetchAnswer(const String& isbn) {
  const String language = Ambry::getEnvQueryMap().get("lang", "");
  if (Ambry::isListedLanguage(language)) Ambry::setLanguage(language);
  Answer answer;
  const std::string target = Ambry::getProperty("catalogue_target").c_str();
  if (target.find_first_not_of(' ') == std::string::npos)
    answer.messages.push_back(Ambry::getResource("err_fetch_not_set_up", false));
  else
    answerFetch(answer, isbn, target);
  printAnswer(answer);
}

}  // namespace Catalogue
