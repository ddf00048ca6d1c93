// Entry form script of the staff editors: the form's buttons, the commands posted back to the editor,
// the search mode and the date pickers. Pages may load it twice, so it only declares with var.

var CMD_FIRST = 0;
var CMD_INSERT = 1;
var CMD_UPDATE = 2;
var CMD_DELETE = 3;
var CMD_JUMP = 4;
var CMD_PREVIOUS = 5;
var CMD_NEXT = 6;
var CMD_SEARCH = 7;
var CMD_CHECKIN = 8;
var CMD_ISBN_SCAN = 13;
var CMD_MEMBERID_SCAN = 14;

// Set by the editor page: its table and whether it is in search mode; the book editor also says
// whether a shared catalogue is set up to fetch a new book's details from.
var entityName;
var search;
if (search === undefined)
   search = false;
var catalogueFetch;

// Fields that a new entry starts with a date in, and how many days from today.
var entryFormNewDates = {
   book: { addDate: 0 },
   member: { addDate: 0, accountExpiryDate: 365 },
   checkout: { checkoutDate: 0, returnDate: 14 },
   reservation: { addDate: 0 },
   blacklist: { addDate: 0 }
};

// The editor's own address in the page's language; in search mode it keeps "search=1".
function editorAddress(inSearchMode) {
   var address = withLanguage(programPath(), currentLanguage());
   return inSearchMode ? address + "&search=1" : address;
}

function entryFormElement(name) {
   var form = document.forms.entryForm;
   return form ? form.elements[name] : null;
}

// The id of the stored entry the form shows, noted when its controls are enabled; an update sends
// it as "lastid", and the editor refuses to save over any other entry.
var entryFormShownId;

// A check-in is confirmed first, naming the book and the member of the loan shown.
function confirmCheckIn() {
   var book = entryFormElement("bookid");
   var member = entryFormElement("memberid");
   return confirm(STR_CONFIRMCHECKIN.replace("{book}", book ? book.value : "")
      .replace("{member}", member ? member.value : ""));
}

// Sends a command about one entry: the entry's id, the command and the entry the page shows.
function submitRequestForm(id, cmd) {
   if (cmd == CMD_CHECKIN && !confirmCheckIn())
      return false;
   var form = document.forms.requestForm;
   form.elements["id"].value = id;
   form.elements["cmd"].value = cmd;
   if (cmd == CMD_ISBN_SCAN || cmd == CMD_MEMBERID_SCAN)
      carryTypedValues(form);
   form.action = editorAddress(false);
   form.submit();
   return false;
}

// A code scanned into a new entry that finds no stored entry must not cost what was typed before:
// the new entry's values go along with the scan, and the editor shows them again. A form that shows
// a stored entry sends nothing along, since the scan looks for another entry.
function carryTypedValues(form) {
   var entry = document.forms.entryForm;
   if (!entry || entryFormShownId !== undefined)
      return;
   for (var i = 0; i < entry.elements.length; i++) {
      var field = entry.elements[i];
      if (!field.name || field.type == "button" || field.name == "cmd" || field.name == "id" || field.name == "lastid")
         continue;
      var input = form.elements[field.name];
      if (!input) {
         input = document.createElement("input");
         input.type = "hidden";
         input.name = field.name;
         form.appendChild(input);
      }
      input.value = field.value;
   }
}

// Posts the entry form's fields with a command (insert, update, delete, search).
function submitEntryForm(cmd) {
   var form = document.forms.entryForm;
   form.elements["cmd"].value = cmd;
   if (cmd == CMD_UPDATE)
      setEntryFormLastId(form);
   form.action = editorAddress(cmd == CMD_SEARCH);
   form.submit();
   return false;
}

function setEntryFormLastId(form) {
   var input = form.elements["lastid"];
   if (!input) {
      input = document.createElement("input");
      input.type = "hidden";
      input.name = "lastid";
      form.appendChild(input);
   }
   input.value = entryFormShownId === undefined ? "" : entryFormShownId;
}

function entryFormButton(id, text, action, disabled) {
   return "<input type=\"button\" class=\"entrybutton\" id=\"" + id + "\" value=\"" + text + "\" onclick=\""
      + action + "\"" + (disabled ? " disabled=\"disabled\"" : "") + ">\n";
}

function printEntryFormDefaultControls() {
   document.write(
      entryFormButton("btnFirst", STR_FIRST, "submitRequestForm(1, CMD_FIRST)", false)
      + entryFormButton("btnPrevious", STR_PREVIOUS, "submitRequestForm(entryForm.elements['id'].value, CMD_PREVIOUS)", false)
      + entryFormButton("btnNext", STR_NEXT, "submitRequestForm(entryForm.elements['id'].value, CMD_NEXT)", false)
      + "&nbsp;&nbsp;"
      + entryFormButton("btnNew", STR_NEW, "newEntry()", false)
      + entryFormButton("btnInsert", STR_INSERT, "submitEntryForm(CMD_INSERT)", false)
      + entryFormButton("btnUpdate", STR_UPDATE, "submitEntryForm(CMD_UPDATE)", true)
      + entryFormButton("btnDelete", STR_DELETE, "if (confirm(STR_CONFIRMDELETE)) submitEntryForm(CMD_DELETE)", true)
      + (catalogueFetch ? entryFormButton("btnFetch", STR_FETCH, "fetchBookDetails()", false) : "")
      + "&nbsp;&nbsp;"
      + entryFormButton("btnSearchMode", STR_SEARCHMODE, "window.location.href = editorAddress(true)", false));
}

function printEntryFormSearchControls() {
   document.write("<div class=\"searchhint\">" + STR_SEARCHHINT + "</div>\n"
      + entryFormButton("btnSearch", STR_SEARCH, "submitEntryForm(CMD_SEARCH)", false)
      + entryFormButton("btnCancelSearch", STR_CANCELSEARCH, "window.location.href = editorAddress(false)", false));
   // Enter in any field searches.
   var form = document.forms.entryForm;
   if (form)
      form.addEventListener("keypress", function (e) {
         if (e.keyCode == 13) {
            e.preventDefault();
            submitEntryForm(CMD_SEARCH);
         }
      });
}

// The form shows a stored entry: it may now be changed, deleted or checked in (a loan only while
// it is open).
function enableEntryFormControls() {
   var id = entryFormElement("id");
   entryFormShownId = id ? id.value : undefined;
   var names = ["btnUpdate", "btnDelete", "btnReturnBook"];
   for (var i = 0; i < names.length; i++) {
      var button = document.getElementById(names[i]);
      if (button)
         button.disabled = names[i] == "btnReturnBook" && !entryFormLoanOpen();
   }
   enableFetch(false);
}

// A loan is open until its check-in date is set.
function entryFormLoanOpen() {
   var inDate = entryFormElement("inDate");
   return !inDate || inDate.value == "" || String(inDate.value).substring(0, 10) == "0000-00-00";
}

function disableEntryFormControls() {
   var names = ["btnUpdate", "btnDelete", "btnReturnBook"];
   for (var i = 0; i < names.length; i++) {
      var button = document.getElementById(names[i]);
      if (button)
         button.disabled = true;
   }
   enableFetch(true);
}

// Empties the form for a new entry; the dates start at today (or the usual period from today).
function newEntry() {
   var form = document.forms.entryForm;
   for (var i = 0; i < form.elements.length; i++) {
      var field = form.elements[i];
      if (field.name && field.name != "cmd" && field.type != "button")
         field.value = "";
      // A list starts on its first choice, as the editor's empty entry does (a new book is as new).
      if (field.tagName == "SELECT")
         field.selectedIndex = 0;
   }
   var dates = entryFormNewDates[entityName] || {};
   for (var name in dates) {
      var dateField = form.elements[name];
      if (dateField) {
         dateField.value = dateFromToday(dates[name]);
         updateEntryFormDateControls(dateField);
      }
   }
   disableEntryFormControls();
   entryFormShownId = undefined;
   var first = form.querySelector("input[name]:not([type=hidden]):not([readonly])");
   if (first)
      first.focus();
   return false;
}

// The date n days from today as YYYY-MM-DD, in local time.
function dateFromToday(days) {
   var d = new Date();
   d.setDate(d.getDate() + days);
   var month = d.getMonth() + 1;
   var day = d.getDate();
   return d.getFullYear() + "-" + (month < 10 ? "0" : "") + month + "-" + (day < 10 ? "0" : "") + day;
}

// Writes a calendar picker beside a date field; choosing a day writes it into the field. The picker
// is named by the field's caption.
function printEntryFormDateControls(field) {
   if (!field)
      return;
   var label = document.querySelector("label[for=\"" + field.id + "\"]");
   var caption = label ? label.textContent.replace(/:\s*$/, "") : field.name;
   document.write("<input type=\"date\" class=\"datepicker\" id=\"" + field.name + "_picker\" aria-label=\""
      + caption.replace(/&/g, "&amp;").replace(/"/g, "&quot;").replace(/</g, "&lt;") + "\" onchange=\"pickEntryFormDate(this, '"
      + field.name + "')\">");
}

// Brings the picker beside a date field in step with the field's text.
function updateEntryFormDateControls(field) {
   if (!field)
      return;
   var picker = document.getElementById(field.name + "_picker");
   if (!picker)
      return;
   var text = String(field.value).substring(0, 10);
   picker.value = /^\d{4}-\d\d-\d\d$/.test(text) && text.substring(0, 4) != "0000" ? text : "";
}

function pickEntryFormDate(picker, name) {
   var field = entryFormElement(name);
   if (field && picker.value != "")
      field.value = picker.value;
}

// Copy cataloguing: "Fetch details" is for a new book, not for one the catalogue holds. It asks
// the catalogue program, which asks the shared catalogue for the typed ISBN, and fills the fields
// of the answer; nothing is saved, and a failure leaves what was typed as it was.
function enableFetch(enabled) {
   var button = document.getElementById("btnFetch");
   if (button)
      button.disabled = !enabled;
}

function fetchBookDetails() {
   var isbn = entryFormElement("isbn");
   var request = new XMLHttpRequest();
   request.open("GET", withLanguage("catalogue.exe", currentLanguage()) + "&fetch="
      + encodeURIComponent(isbn ? isbn.value : ""));
   request.onload = function () {
      var answer = null;
      try {
         answer = request.status == 200 ? JSON.parse(request.responseText) : null;
      } catch (e) {
         answer = null;
      }
      finishFetch(answer);
   };
   request.onerror = function () {
      finishFetch(null);
   };
   var button = document.getElementById("btnFetch");
   if (button) {
      button.disabled = true;
      button.value = STR_FETCHING;
   }
   request.send();
   return false;
}

function finishFetch(answer) {
   var button = document.getElementById("btnFetch");
   if (button) {
      button.disabled = false;
      button.value = STR_FETCH;
   }
   if (!answer) {
      pumpMsg(STR_FETCH_FAILED);
      return;
   }
   if (answer.found)
      for (var name in answer.fields) {
         var field = entryFormElement(name);
         if (field)
            field.value = answer.fields[name];
      }
   pumpMsg(answer.message);
}
