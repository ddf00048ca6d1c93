// Cross-site scripting attack: hostile texts stored in every text column and as restore point names
// must show as plain text on every page; any pop-up, injected element or script error fails.
const fs = require('node:fs');
const path = require('node:path');
const { test, run, sql, url, navigation, assert } = require('../browser/lib/harness');

// Each hostile text carries "zq", so a catalogue search finds them all, and a number that tells
// which one ran.
const H = {
  script: 'zq"><script>alert(11)</script>',
  close: 'zq</script><svg onload=alert(12)>',
  img: 'zq<img src=x onerror=alert(13)>',
  quote: "zq'-alert(14)-'",
  slash: 'zq\\";alert(15);//\\',
  lines: 'zq\n</script><script>alert(16)</script>\r\nx',
  attr: "zq' onmouseover='alert(17)' x='",
  textarea: 'zq</textarea><script>alert(18)</script>',
  comment: 'zq<!--<script>alert(19)</script>',
  format: 'zq%s%n%x%d%%',
  backslash: 'zq\\',
  both: 'zq\'"</script><script>alert(20)</script>',
  // Windows-1252 letters and signs (the pages' and the database's bytes from 0x80 up), and high
  // bytes right before the quotes and the markup.
  letters: 'zq Kr\u00eaeftige M\u00f4re \u2019n Dag ~ \u20ac5 \u201cOeuvre\u201d \u0152 \u2122 \u0178\u2026',
  high: 'zq\u00ff"><script>alert(21)</script>\u00bf\'-alert(22)-\'',
};

// The Windows-1252 bytes of a text: the letters of 0x80 to 0x9F that the texts above use, and
// every other character as its own code below 256.
const CP1252 = { '\u20ac': 0x80, '\u2026': 0x85, '\u0152': 0x8c, '\u2019': 0x92, '\u201c': 0x93,
  '\u201d': 0x94, '\u2122': 0x99, '\u0178': 0x9f };
function cp1252(text) {
  return Buffer.from([...text].map((c) => {
    const byte = CP1252[c] ?? c.codePointAt(0);
    if (byte > 0xff) throw new Error(`no Windows-1252 byte for ${c}`);
    return byte;
  }));
}
function fromCp1252(bytes) {
  const letters = Object.fromEntries(Object.entries(CP1252).map(([c, b]) => [b, c]));
  return [...bytes].map((b) => letters[b] ?? String.fromCharCode(b)).join('');
}

const BOOKS = [
  { id: 9001, author: H.script, title: H.close, isbn: H.img },
  { id: 9002, author: H.lines, title: H.textarea, isbn: H.quote },
  { id: 9003, author: H.attr, title: H.comment, isbn: H.slash },
  { id: 9004, author: H.slash, title: H.quote, isbn: H.format },
  { id: 9006, author: H.letters, title: H.high, isbn: 'zq\u00e9\u20ac\u00ff' },
];
// A plain book that a test changes to hostile texts through the form.
const EDITED_BOOK = { id: 9005, author: 'zq plain', title: 'zq plain', isbn: 'zq plain' };
// Passwords hold no line break: a password field cannot take one, so the card could not be opened.
const MEMBERS = [
  { id: 9001, password: H.script, surname: H.close, firstName: H.img, address: H.lines, contactNo: H.quote },
  { id: 9002, password: H.slash, surname: H.attr, firstName: H.textarea, address: H.comment, contactNo: H.format },
  { id: 9003, password: H.both, surname: H.backslash, firstName: H.lines, address: H.attr, contactNo: H.slash },
  { id: 9004, password: H.letters, surname: H.letters, firstName: H.high, address: H.letters, contactNo: 'zq \u2019\u20ac' },
];
const BLACKLIST = [
  { id: 9001, memberid: 9001, reason: H.lines },
  { id: 9002, memberid: 9002, reason: H.script },
  { id: 9003, memberid: 9003, reason: H.slash },
  { id: 9004, memberid: 9004, reason: H.high },
];
// File names cannot hold "/", so no closing tag; they do hold quotes, markup and line breaks.
const RESTORE_POINTS = [
  'zq"><img src=x onerror=alert(61)>.bak',
  "zq'><svg onload=alert(62)>.bak",
  'zq\\";alert(63);x.bak',
  'zq\n<img src=x onerror=alert(64)>.bak',
  "zq' onmouseover='alert(65)'.bak",
];
// Beside them, one that a restore accepts: the list offers only such names.
const VALID_RESTORE_POINT = 'zq-2026-01-01.bak';

// A text as an SQL hexadecimal literal of its Windows-1252 bytes: no quoting of our own can go wrong.
const hex = (text) => `x'${cp1252(text).toString('hex')}'`;

function store(table, rows, extra) {
  for (const row of rows) {
    const columns = Object.keys(row);
    const values = columns.map((c) => (typeof row[c] === 'number' ? String(row[c]) : hex(row[c])));
    sql(`INSERT INTO ${table} (${columns.join(', ')}, ${Object.keys(extra).join(', ')})
      VALUES (${values.join(', ')}, ${Object.values(extra).join(', ')})`);
  }
}

function storeHostileData() {
  sql(`DELETE FROM BLACKLIST WHERE id >= 9000 OR memberid >= 9000`);
  sql('DELETE FROM BOOK WHERE id >= 9000');
  sql('DELETE FROM MEMBER WHERE id >= 9000');
  store('BOOK', [...BOOKS, EDITED_BOOK], { dewey: 823, price: 1, _condition: 5, addDate: 'NOW()' });
  store('MEMBER', MEMBERS, { addDate: 'NOW()', accountExpiryDate: 'CURDATE() + INTERVAL 100 DAY',
    accountBalance: 0 });
  store('BLACKLIST', BLACKLIST, { addDate: 'NOW()' });
  const dir = process.env.AMBRY_TEST_BACKUP_DIR;
  for (const name of [...RESTORE_POINTS, VALID_RESTORE_POINT]) fs.writeFileSync(path.join(dir, name), '-- not a dump\n');
}

// What a page shows of a text: the parser turns CR LF and CR into LF.
const shown = (text) => text.replace(/\r\n?/g, '\n');
// What a one-line input holds of a text: browsers drop its line breaks.
const inInput = (text) => text.replace(/[\r\n]/g, '');

// The page must have run no injected script and hold no injected element.
async function assertNothingRan(s, page, expectedDialogs = []) {
  await page.waitForTimeout(300);  // image errors fire after the load event
  assert.deepEqual(s.dialogs, expectedDialogs, `pop-ups on ${page.url()}`);
  // a script of the page may hold a hostile text inside a string; an injected one is nothing else
  const injected = await page.$$eval('img[onerror], svg[onload], [onmouseover*="alert"], script:not([src])',
    (elements) => elements.filter((e) => e.tagName !== 'SCRIPT' || /^\s*alert\(\d+\)\s*$/.test(e.textContent))
      .map((e) => e.outerHTML.slice(0, 80)));
  assert.deepEqual(injected, [], `injected elements on ${page.url()}`);
}

// Opens the editor's entry with the given id the way a result row does (command 4).
async function openEntry(page, program, id) {
  await page.goto(url(program));
  await navigation(page, () => page.evaluate((entry) => submitRequestForm(entry, 4), id));
}

async function assertEntryShows(page, row) {
  for (const [name, value] of Object.entries(row)) {
    const actual = await page.inputValue(`form[name=entryForm] [name="${name}"]`);
    assert.equal(actual, inInput(String(value)), `field ${name} of entry ${row.id}`);
  }
}

// Searches each hostile row by its id in the editor's search mode and checks that the result row
// shows its texts as text.
async function searchShows(s, program, rows, textColumns) {
  const page = await s.page();
  for (const row of rows) {
    await page.goto(url(program, 'lang=eng&search=1'));
    await page.fill('form[name=entryForm] [name="id"]', String(row.id));
    await navigation(page, () => page.click('#btnSearch'));
    await assertNothingRan(s, page);
    const cells = await page.$$eval('tr[onmousedown] td', (tds) => tds.map((td) => td.textContent));
    for (const c of textColumns) assert.ok(cells.includes(shown(row[c])), `${c} of ${row.id} in ${JSON.stringify(cells)}`);
  }
}

function editorTests(program, rows, textColumns) {
  test(`staff ${program} shows hostile entries as plain values`, async (s) => {
    const page = await s.page();
    for (const row of rows) {
      await openEntry(page, program, row.id);
      await assertNothingRan(s, page);
      await assertEntryShows(page, row);
    }
  });
  test(`staff ${program} lists hostile entries as text in search results`, async (s) => {
    await searchShows(s, program, rows, textColumns);
  });
}

editorTests('book_editor.exe', BOOKS, ['author', 'title', 'isbn']);
editorTests('member_editor.exe', MEMBERS, ['password', 'surname', 'firstName', 'address', 'contactNo']);
editorTests('blacklist_editor.exe', BLACKLIST, ['reason']);

test('staff save hostile texts through the book form: stored and shown back as typed', async (s) => {
  const page = await s.page();
  await openEntry(page, 'book_editor.exe', EDITED_BOOK.id);
  const typed = { author: H.both + H.letters, title: H.close, isbn: H.backslash };
  for (const [name, value] of Object.entries(typed)) await page.fill(`form[name=entryForm] [name="${name}"]`, value);
  await navigation(page, () => page.click('#btnUpdate'));
  await assertNothingRan(s, page, ['Entry updated.']);
  await assertEntryShows(page, typed);
  const stored = sql(`SELECT HEX(author), HEX(title), HEX(isbn) FROM BOOK WHERE id = ${EDITED_BOOK.id}`)[0];
  assert.deepEqual(stored.map((h) => fromCp1252(Buffer.from(h, 'hex'))), [typed.author, typed.title, typed.isbn]);
});

test('staff jump to a hostile id: the pop-up shows it as text', async (s) => {
  const page = await s.page();
  const id = H.script;
  await openEntry(page, 'book_editor.exe', id);
  await assertNothingRan(s, page, [`ID no. ${id} does not exist.`]);
});

test('staff control panel leaves hostile restore point names out of its list', async (s) => {
  const page = await s.page();
  await page.goto(url('control_panel.exe'));
  await assertNothingRan(s, page);
  const values = await page.$$eval('#restore_file option', (o) => o.map((x) => x.value));
  const labels = await page.$$eval('#restore_file option', (o) => o.map((x) => x.textContent));
  assert.ok(values.includes(VALID_RESTORE_POINT), `${VALID_RESTORE_POINT} among ${JSON.stringify(values)}`);
  assert.ok(labels.includes(VALID_RESTORE_POINT), `option label ${VALID_RESTORE_POINT}`);
  for (const name of RESTORE_POINTS) {
    assert.ok(!values.includes(name) && !labels.includes(name), `${JSON.stringify(name)} is listed`);
  }
});

test('member lookup shows hostile books as text', async (s) => {
  const page = await s.page();
  await page.goto(url('lookup_form.exe'));
  await page.fill('#author', 'zq');
  await navigation(page, () => page.click('main input[type=submit]'));
  await assertNothingRan(s, page);
  const text = await page.textContent('main');
  for (const b of BOOKS) {
    for (const c of ['author', 'title', 'isbn']) assert.ok(text.includes(shown(b[c])), `${c} of book ${b.id}`);
  }
});

test('member card shows a hostile member as text', async (s) => {
  const page = await s.page();
  for (const m of MEMBERS) {
    await page.goto(url('card_form.exe'));
    await page.fill('#memberid', String(m.id));
    await page.fill('#password', m.password);
    await navigation(page, () => page.click('main input[type=submit]'));
    await assertNothingRan(s, page);
    const text = await page.textContent('main');
    for (const c of ['surname', 'firstName', 'address', 'contactNo']) {
      assert.ok(text.includes(shown(m[c])), `${c} of member ${m.id} on the card`);
    }
    assert.match(text, /blacklist/i);
  }
});

test('staff reports show hostile books and members as text', async (s) => {
  // the hostile members hold the hostile books overdue and reserve them; member 9002 runs out soon
  sql('DELETE FROM CHECKOUT WHERE memberid >= 9000');
  sql('DELETE FROM RESERVATION WHERE memberid >= 9000');
  sql('UPDATE MEMBER SET accountExpiryDate = CURDATE() + INTERVAL 10 DAY WHERE id = 9002');
  for (const m of MEMBERS) {
    sql(`INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate)
      VALUES (${m.id}, ${BOOKS[m.id - 9001].id}, NOW(), CURDATE() - INTERVAL 3 DAY, 0)`);
    sql(`INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (${m.id}, ${BOOKS[3].id}, NOW())`);
  }
  const page = await s.page();
  const expected = {
    overdue: BOOKS.slice(0, 3).flatMap((b) => [b.title, b.author]).concat(MEMBERS.map((m) => m.contactNo)),
    expiring: ['surname', 'firstName', 'contactNo'].map((c) => MEMBERS[1][c]),
    reserved: [BOOKS[3].title, BOOKS[3].author],
  };
  for (const [report, texts] of Object.entries(expected)) {
    await page.goto(url('reports.exe', `lang=eng&report=${report}`));
    await assertNothingRan(s, page);
    const cells = await page.$$eval('td', (tds) => tds.map((td) => td.textContent));
    for (const t of texts) assert.ok(cells.includes(shown(t)), `${JSON.stringify(t)} in the ${report} report`);
    // the download is a file to save, never a page that the browser would render
    const csv = await s.context.request.get(url('reports.exe', `lang=eng&report=${report}&format=csv`));
    assert.equal(csv.headers()['content-type'], 'text/csv; charset=windows-1252');
    assert.match(csv.headers()['content-disposition'], /^attachment; filename="[a-z]+-\d{4}-\d\d-\d\d\.csv"$/);
  }
});

test('staff import previews a hostile file as text, and the export of hostile books is a download', async (s) => {
  // Every hostile text as author, title and ISBN of a spreadsheet row, quoted as a spreadsheet does.
  const cell = (text) => `"${text.replace(/"/g, '""')}"`;
  const texts = Object.values(H);
  const csv = ['Author,Title,ISBN', ...texts.map((t) => [t, t, t].map(cell).join(','))].join('\r\n');
  const page = await s.page();
  await page.goto(url('catalogue.exe'));
  await page.setInputFiles('#catalogue_file', { name: 'zq"><img src=x onerror=alert(71)>.csv', mimeType: 'text/csv',
    buffer: cp1252(csv) });
  await navigation(page, () => page.click('form[enctype] input[type=submit]'));
  await assertNothingRan(s, page);
  assert.match(await page.textContent('main'), new RegExp(`Records read: ${texts.length}\\.`));
  for (const format of ['marcxml', 'marc', 'csv']) {
    const file = await s.context.request.get(url('catalogue.exe', `lang=eng&format=${format}`));
    assert.match(file.headers()['content-disposition'], /^attachment; filename="catalogue-\d{4}-\d\d-\d\d\.(xml|mrc|csv)"$/);
  }
});

storeHostileData();
run().then((ok) => process.exit(ok ? 0 : 1), (e) => { console.error(e); process.exit(1); });
