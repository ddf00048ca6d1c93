// The preview of an uploaded file: the counts, the first books as they will be stored, every
// remark, and the choices that the import takes.
#include <cstdio>
#include <string>

#include "programs/catalogue/Catalogue.h"

namespace Catalogue {

using Keystone::String;

namespace {

// Rows of the first books shown, and remarks shown before the rest are only counted.
const size_t kFirstRows = 20;
const size_t kRemarksShown = 300;

void put(const String& text) {
  std::fputs(text.c_str(), stdout);
}

String text(const char* key) {
  return Ambry::getResource(key, false);
}

String number(long value) {
  return String(std::to_string(value).c_str());
}

String site(const std::string& value) {
  return String(value.c_str());
}

// The captions of a text that separates them with "|".
Keystone::Array<String> captions(const char* key) {
  const std::string all = text(key).c_str();
  std::vector<String> parts;
  size_t start = 0;
  for (size_t bar = all.find('|'); bar != std::string::npos; bar = all.find('|', start)) {
    parts.push_back(all.substr(start, bar - start).c_str());
    start = bar + 1;
  }
  parts.push_back(all.substr(start).c_str());
  return Keystone::Array<String>(parts.data(), static_cast<int>(parts.size()));
}

void printFirstBooks(const ImportPlan& plan) {
  put("<h3>" + text("caption_import_first_rows") + "</h3>\n");
  Ambry::beginResultTable(captions("caption_import_columns"));
  size_t shown = 0;
  for (const Records::BookDraft& draft : plan.drafts) {
    if (draft.skipped) continue;
    if (++shown > kFirstRows) break;
    const String condition = draft.condition.empty() ? text("caption_import_chosen_condition") : site(draft.condition);
    const String cells[] = {number(draft.number), site(draft.author), site(draft.title), site(draft.isbn),
                            site(draft.dewey),    site(draft.price),  condition};
    Ambry::printTextRow(Keystone::Array<String>(cells, 7), "", "");
  }
  Ambry::endResultTable();
}

void printRemarks(const ImportPlan& plan) {
  size_t count = 0;
  for (const Records::BookDraft& draft : plan.drafts) count += draft.notes.size();
  if (count == 0) return;
  put("<h3>" + text("caption_import_remarks") + "</h3>\n");
  Ambry::beginResultTable(captions("caption_import_remark_columns"));
  size_t shown = 0;
  for (const Records::BookDraft& draft : plan.drafts) {
    for (const Records::Note& note : draft.notes) {
      if (shown++ == kRemarksShown) break;
      const String cells[] = {number(draft.number), Ambry::escapeHtml(site(note.field)), noteText(note)};
      Ambry::printResultRow(Keystone::Array<String>(cells, 3), "", "");
    }
    if (shown > kRemarksShown) break;
  }
  Ambry::endResultTable();
  if (count > kRemarksShown)
    put("<p>" + filledText("msg_import_more_remarks", {number(static_cast<long>(count - kRemarksShown))}) + "</p>\n");
}

void printRadio(const char* id, const char* value, const char* captionKey, bool checked) {
  put(String("<input type=\"radio\" id=\"") + id + "\" name=\"duplicates\" value=\"" + value + "\"" +
      (checked ? " checked=\"checked\"" : "") + "><label for=\"" + id + "\">" + text(captionKey) + "</label>\n");
}

// The choices, and the two buttons: import, or cancel and remove the held file.
void printChoices(const ImportPlan& plan, const std::string& token) {
  bool copies = false;
  bool conditionMissing = false;
  for (const Records::BookDraft& draft : plan.drafts) {
    if (draft.skipped) continue;
    copies = copies || isFurtherCopy(draft);
    conditionMissing = conditionMissing || draft.condition.empty();
  }
  const String hidden = "<input type=\"hidden\" name=\"upload\" value=\"" + site(token) + "\">\n";
  put("<form method=\"post\" action=\"" + ownAddress() + "\">\n<input type=\"hidden\" name=\"cmd\" value=\"" +
      number(Ambry::CMD_IMPORT) + "\">\n" + hidden);
  if (copies) {
    put("<fieldset>\n<legend>" + text("caption_import_duplicates") + "</legend>\n");
    printRadio("duplicates_copies", "copies", "caption_import_add_copies", true);
    printRadio("duplicates_skip", "skip", "caption_import_skip_copies", false);
    put("</fieldset>\n");
  }
  if (conditionMissing) {
    put("<p><label for=\"condition\">" + text("caption_import_condition") +
        "</label>\n<select id=\"condition\" name=\"condition\">\n");
    for (int condition = 10; condition >= 1; --condition)
      put("<option value=\"" + number(condition) + "\"" + (condition == 10 ? " selected=\"selected\"" : "") + ">" +
          number(condition) + "</option>\n");
    put("</select></p>\n");
  }
  put("<input type=\"submit\" value=\"" + Ambry::escapeHtml(text("caption_import_confirm")) + "\">\n</form>\n");
  put("<form method=\"post\" action=\"" + ownAddress() + "\">\n<input type=\"hidden\" name=\"cmd\" value=\"" +
      number(Ambry::CMD_DISCARD_IMPORT) + "\">\n" + hidden + "<input type=\"submit\" value=\"" +
      Ambry::escapeHtml(text("caption_import_cancel")) + "\">\n</form>\n");
}

void printPreview(const ImportPlan& plan, const std::string& fileName, const std::string& token) {
  put("<h2>" + filledText("caption_import_preview", {Ambry::escapeHtml(site(fileName))}) + "</h2>\n");
  put("<p>" +
      filledText("msg_import_counts", {number(static_cast<long>(plan.drafts.size())), number(plan.toAdd),
                                       number(plan.withRemarks), number(plan.skipped)}) +
      "</p>\n");
  if (plan.toAdd > 0) printFirstBooks(plan);
  printRemarks(plan);
  printChoices(plan, token);
}

// The letter as the page can show it (a character reference), with its code point.
String letterText(char32_t letter) {
  char shown[48];
  std::snprintf(shown, sizeof shown, "&#%u; (U+%04X)", static_cast<unsigned>(letter), static_cast<unsigned>(letter));
  return shown;
}

}  // namespace

Keystone::String faultText(const Records::FileFault& fault) {
  using Records::FaultKind;
  const String record = number(fault.record);
  switch (fault.kind) {
    case FaultKind::kLeader:
      return filledText("err_import_leader", {record, number(fault.offset)});
    case FaultKind::kDirectory:
      return filledText("err_import_directory", {record, number(fault.offset)});
    case FaultKind::kTerminator:
      return filledText("err_import_terminator", {record, number(fault.offset)});
    case FaultKind::kTruncated:
      return filledText("err_import_truncated", {record, number(fault.offset)});
    case FaultKind::kXml:
      return filledText("err_import_xml", {record, number(fault.line)});
    case FaultKind::kCsvQuote:
      return filledText("err_import_csv_quote", {record});
    case FaultKind::kEmpty:
      return text("err_import_empty");
    default:
      return text("err_import_unrecognised");
  }
}

Keystone::String noteText(const Records::Note& note) {
  using Records::NoteKind;
  const String value = Ambry::escapeHtml(site(note.value));
  switch (note.kind) {
    case NoteKind::kNoTitle:
      return text("note_no_title");
    case NoteKind::kUnreadable:
      return text("note_unreadable");
    case NoteKind::kDefaultAuthor:
      return filledText("note_default_author", {value});
    case NoteKind::kDefaultIsbn:
      return filledText("note_default_isbn", {value});
    case NoteKind::kDefaultDewey:
      return filledText("note_default_dewey", {value});
    case NoteKind::kDefaultPrice:
      return filledText("note_default_price", {value});
    case NoteKind::kInvalidIsbn:
      return filledText("note_invalid_isbn", {value});
    case NoteKind::kUnknownDewey:
      return filledText("note_unknown_dewey", {value, Records::kDefaultDewey});
    case NoteKind::kOtherCurrency: {
      const Records::MappingRules rules = Records::mappingRules(Ambry::getProperty("currency").c_str());
      return filledText("note_other_currency", {value, Ambry::escapeHtml(site(rules.currencyCode)), Records::kDefaultPrice});
    }
    case NoteKind::kBadPrice:
      return filledText("note_bad_price", {value, Records::kDefaultPrice});
    case NoteKind::kBadCondition:
      return filledText("note_bad_condition", {value});
    case NoteKind::kUnwritable:
      return filledText("note_unwritable", {letterText(note.letter)});
    case NoteKind::kUndecodable:
      return text("note_undecodable");
    default:
      return filledText("note_isbn_in_catalogue", {value});
  }
}

void previewUpload() {
  if (!Ambry::isSameOriginRequest()) {
    Ambry::popupMessage("err_cross_site", false);
    printStartForms();
    return;
  }
  Upload upload;
  const UploadRead read = readUpload(upload);
  if (read != UploadRead::kRead) {
    Ambry::printMessage(read == UploadRead::kTooLarge ? "err_import_too_large" : "err_import_no_file", false);
    printStartForms();
    return;
  }
  const bool planned = Ambry::runGuarded("err_query_unsuccessful", [&upload] {
    Ambry::AmbryDB db;
    db.openConnection();
    const ImportPlan plan = planImport(upload.file, db);
    db.closeConnection();
    if (plan.fault) {
      Ambry::printMessage(faultText(plan.fault), true);
      printStartForms();
      return;
    }
    const std::string token = holdUpload(upload);
    if (token.empty()) {
      Ambry::printMessage("err_import_not_held", false);
      printStartForms();
      return;
    }
    printPreview(plan, upload.fileName, token);
  });
  if (!planned) printStartForms();
}

}  // namespace Catalogue
