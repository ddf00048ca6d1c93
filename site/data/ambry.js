// Site script of every page: navigation that keeps the language, queued pop-up messages, page events and the menus.

// Set by the page itself: its own address with query, its area (0 home, 1 staff, 2 member, 3 more),
// whether to go back once the messages are shown, and the menu groups to open (the "extend" parameter).
var script_name;
var area;
var bGoBack = false;
var extend = new Array();

var ambryMessages = new Array();
var ambryLoaded = false;

// The language the page was written in: the one whose text script the page loaded.
function currentLanguage() {
   if (typeof STR_LANGUAGE != "undefined")
      return STR_LANGUAGE;
   return "afr";
}

// The address with its "lang" parameter set to the given language, added when missing.
function withLanguage(address, lang) {
   var hashAt = address.indexOf("#");
   if (hashAt >= 0)
      address = address.substring(0, hashAt);
   var queryAt = address.indexOf("?");
   var path = queryAt >= 0 ? address.substring(0, queryAt) : address;
   var params = queryAt >= 0 ? address.substring(queryAt + 1).split("&") : [];
   var kept = new Array();
   for (var i = 0; i < params.length; i++)
      if (params[i] != "" && params[i].indexOf("lang=") != 0 && params[i] != "lang")
         kept.push(params[i]);
   kept.unshift("lang=" + encodeURIComponent(lang));
   return path + "?" + kept.join("&");
}

// The path of the page's own program, without its query.
function programPath() {
   var address = script_name ? String(script_name) : window.location.pathname;
   var queryAt = address.indexOf("?");
   return queryAt >= 0 ? address.substring(0, queryAt) : address;
}

// The file name of the page's own program ("book_editor.exe").
function programName() {
   var path = programPath();
   return path.substring(path.lastIndexOf("/") + 1);
}

// Goes to a program in the current language. Called from a form's submit handler it lets that
// form post to the program instead.
function go(program) {
   var target = withLanguage(program, currentLanguage());
   var ev = window.event;
   if (ev && ev.type == "submit" && ev.target && ev.target.tagName == "FORM") {
      ev.target.action = target;
      return true;
   }
   window.location.href = target;
   return false;
}

// Posts the given fields to an address with a form made for the purpose.
function postTo(address, fields) {
   var form = document.createElement("form");
   form.method = "post";
   form.action = address;
   for (var name in fields) {
      var input = document.createElement("input");
      input.type = "hidden";
      input.name = name;
      input.value = fields[name];
      form.appendChild(input);
   }
   document.body.appendChild(form);
   form.submit();
   return false;
}

// Queues a message; the messages are shown one after another once the page has loaded.
function pumpMsg(text) {
   ambryMessages.push(String(text));
   if (ambryLoaded)
      showMessages();
}

function showMessages() {
   while (ambryMessages.length > 0)
      window.alert(ambryMessages.shift());
}

function onLoadHandler() {
   ambryLoaded = true;
   openMenuGroups();
   nameResultCells();
   showMessages();
   if (bGoBack)
      window.history.back();
}

// Shows the "back to top" link only once the page has been scrolled.
function onScrollHandler() {
   var link = document.getElementById("toTop");
   if (link)
      link.style.visibility = (window.pageYOffset || document.documentElement.scrollTop) > 200 ? "visible" : "hidden";
}

// With an "extend" parameter, menu group i is open exactly when its character is 1.
function openMenuGroups() {
   if (extend.length == 0)
      return;
   var groups = document.getElementsByClassName("menugroup");
   for (var i = 0; i < groups.length; i++)
      groups[i].open = i < extend.length && extend[i];
}

// Gives every cell of the result tables its column's caption, which a phone shows beside the value
// when it lays each row out as a block of its own (style.css, "stacked").
function nameResultCells() {
   var tables = document.querySelectorAll("main table");
   for (var t = 0; t < tables.length; t++) {
      var rows = tables[t].rows;
      if (rows.length == 0 || !rows[0].querySelector("th[scope=col]"))
         continue;
      var captions = new Array();
      for (var c = 0; c < rows[0].cells.length; c++)
         captions.push(rows[0].cells[c].innerText.replace(/\s+/g, " ").trim());
      for (var r = 1; r < rows.length; r++)
         for (var i = 0; i < rows[r].cells.length && i < captions.length; i++)
            rows[r].cells[i].setAttribute("data-caption", captions[i]);
      tables[t].classList.add("stacked");
   }
}

// Gives the menu its texts in the page's language and makes every menu link carry that language.
function prepareMenu() {
   var menu = document.getElementById("menu");
   if (!menu)
      return;
   var named = menu.querySelectorAll("[data-str]");
   for (var i = 0; i < named.length; i++) {
      var text = window[named[i].getAttribute("data-str")];
      if (typeof text == "string") {
         if (named[i].tagName == "INPUT")
            named[i].value = text;
         else
            named[i].textContent = text;
      }
   }
   var links = menu.getElementsByTagName("a");
   for (var j = 0; j < links.length; j++)
      if (links[j].className.indexOf("menulink") >= 0)
         links[j].href = withLanguage(links[j].getAttribute("href"), currentLanguage());
}

// Writes the link that shows the same page in the other language.
function printLanguageSwitch() {
   if (typeof STR_OTHER_LANGUAGE == "undefined")
      return;
   // The link's text is in the other language, and says so to a screen reader.
   var tag = STR_OTHER_LANGUAGE == "afr" ? "af" : "en";
   document.write("<a id=\"languageSwitch\" lang=\"" + tag + "\" hreflang=\"" + tag + "\" href=\""
      + withLanguage(programPath(), STR_OTHER_LANGUAGE)
      + "\" onclick=\"return switchLanguage('" + STR_OTHER_LANGUAGE + "')\">"
      + STR_OTHER_LANGUAGE_NAME + "</a>");
}

// Shows the page in another language. Pages that answered a posted form show their form again, the
// staff home shows again (the session keeps the visitor signed in), and an editor keeps showing the
// entry it shows.
// (An editor's page loads the entry form script, which names the commands.)
function switchLanguage(lang) {
   var answers = { "patron_card.exe": "card_form.exe", "patron_lookup.exe": "lookup_form.exe",
                   "patron_hold.exe": "hold_form.exe" };
   var name = programName();
   if (answers[name]) {
      window.location.href = withLanguage(answers[name], lang);
      return false;
   }
   if (name == "staff_login.exe") {
      window.location.href = withLanguage(area == 1 ? programPath() : "index.exe", lang);
      return false;
   }
   var entry = document.forms.entryForm;
   var request = document.forms.requestForm;
   var searching = typeof search != "undefined" && search;
   if (entry && request && !searching && entry.elements["id"] && entry.elements["id"].value != "")
      return postTo(withLanguage(programPath(), lang),
                    { cmd: CMD_JUMP, id: entry.elements["id"].value, lastid: request.elements["lastid"].value });
   window.location.href = withLanguage(script_name ? String(script_name) : programPath(), lang);
   return false;
}
