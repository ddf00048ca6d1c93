// Staff scenarios: signing in, the book editor's whole cycle, lending, check-in, blacklisting, reports.
const { test, sql, sqlValue, url, screenshot, navigation, assert, STAFF } = require('./lib/harness');
const { field, fieldValue, fill, press, findAndOpen } = require('./lib/editor');

// A book that is on the shelf and reserved by nobody.
function freeBook(skip = []) {
  return sqlValue(`SELECT id FROM BOOK WHERE id NOT IN (SELECT bookid FROM CHECKOUT WHERE inDate = 0)
    AND id NOT IN (SELECT bookid FROM RESERVATION) ${skip.length ? `AND id NOT IN (${skip.join(',')})` : ''}
    ORDER BY id LIMIT 1`);
}
// A member who may borrow, counted from the end of the register.
function borrower(offset = 0) {
  return sqlValue(`SELECT id FROM MEMBER WHERE accountExpiryDate > CURDATE()
    AND id NOT IN (SELECT memberid FROM BLACKLIST) ORDER BY id DESC LIMIT 1 OFFSET ${offset}`);
}

test('staff sign in with the password form and reach the staff pages', async (s) => {
  const page = await s.page();
  await page.goto(url('index.exe'));
  await page.fill('#staff_password', STAFF.password);
  await navigation(page, () => page.click('#staff_signin'));
  assert.match(page.url(), /staff_login\.exe\?lang=eng/);
  assert.match(await page.textContent('main'), /Administration area homepage/);
  await screenshot(page, 'staff_login');
  await navigation(page, () => page.click('#menu a.menulink[href*="book_editor"]'));
  assert.match(page.url(), /book_editor\.exe\?lang=eng/);
  assert.notEqual(await fieldValue(page, 'title'), '');
  // the staff home link keeps the visitor signed in
  await navigation(page, () => page.click('#menu a.menulink[href*="staff_login"]'));
  assert.match(await page.textContent('main'), /Administration area homepage/);
});

test('staff sign in with a wrong password goes back to the home page', async (s) => {
  const page = await s.page();
  await page.goto(url('index.exe'));
  await page.fill('#staff_password', STAFF.password.toUpperCase());
  await page.click('#staff_signin');
  await page.waitForURL(/index\.exe\?lang=eng/);
  assert.equal(await s.dialog(0), 'The password was incorrect. Please try again.');
});

test('staff add, browse, find, change and delete a book', async (s) => {
  const page = await s.page();
  await page.goto(url('book_editor.exe'));
  await page.click('#btnNew');
  assert.equal(await page.isDisabled('#btnUpdate'), true, 'a new entry cannot be saved over another');
  await fill(page, { author: 'Mda, Zakes', title: 'Black Diamond', isbn: '9781415200971', dewey: '823',
    price: '199.00', _condition: 9 });
  await press(page, 'btnInsert');
  assert.equal(await s.dialog(0), 'New entry added.');
  const id = sqlValue("SELECT MAX(id) FROM BOOK WHERE title = 'Black Diamond'");
  assert.equal(await fieldValue(page, 'id'), id);
  assert.equal(await fieldValue(page, 'author'), 'Mda, Zakes');
  assert.equal(await page.isDisabled('#btnUpdate'), false);
  await screenshot(page, 'book_editor');

  const before = sqlValue(`SELECT MAX(id) FROM BOOK WHERE id < ${id}`);
  await press(page, 'btnPrevious');
  assert.equal(await fieldValue(page, 'id'), before);
  await press(page, 'btnNext');
  assert.equal(await fieldValue(page, 'id'), id);
  await press(page, 'btnNext');
  assert.equal(await s.dialog(1), 'There is no entry after this one.');
  assert.equal(await fieldValue(page, 'id'), id, 'the last entry stays shown');

  await page.goto(url('book_editor.exe'));
  assert.equal(await findAndOpen(page, 'book_editor', { title: 'Black Diamond' }, id), 1);
  await screenshot(page, 'book_editor_found');
  assert.equal(await fieldValue(page, 'title'), 'Black Diamond');

  await fill(page, { price: '210.00' });
  await press(page, 'btnUpdate');
  assert.equal(await s.dialog(2), 'Entry updated.');
  assert.equal(sqlValue(`SELECT price FROM BOOK WHERE id = ${id}`), '210.00');

  await press(page, 'btnDelete');
  assert.equal(s.dialogs[3], 'Delete this entry for good?');
  assert.equal(await s.dialog(4), 'Entry deleted.');
  assert.equal(sqlValue(`SELECT COUNT(*) FROM BOOK WHERE id = ${id}`), '0');
});

test('staff type a title with & and \u00ea: kept through a scan, saved, reopened and shown unchanged', async (s) => {
  const title = 'Life & Times: Kr\u00eaeftige M\u00f4re';
  const isbn = `978${Date.now() % 1e10}`;
  const page = await s.page();
  await page.goto(url('book_editor.exe'));
  assert.equal(await page.evaluate(() => document.characterSet), 'windows-1252');
  await page.click('#btnNew');
  assert.equal(await fieldValue(page, '_condition'), '10', 'a new book starts on a valid condition');
  await fill(page, { author: 'Mda & Co', title, isbn });
  // the scanner's Enter finds no book: what was typed stays
  await navigation(page, () => page.press(field('isbn'), 'Enter'));
  assert.deepEqual([await fieldValue(page, 'author'), await fieldValue(page, 'title'),
    await fieldValue(page, 'isbn'), await fieldValue(page, '_condition')], ['Mda & Co', title, isbn, '10']);
  await fill(page, { dewey: '823', price: '120.00' });
  await press(page, 'btnInsert');
  assert.equal(await s.dialog(0), 'New entry added.');
  const id = sqlValue(`SELECT id FROM BOOK WHERE isbn = '${isbn}'`);
  // the stored bytes, as the mysql client would otherwise convert them to its own character set
  const stored = () => sql(`SELECT HEX(author), HEX(title) FROM BOOK WHERE id = ${id}`)[0]
    .map((h) => Buffer.from(h, 'hex').toString('latin1'));
  assert.deepEqual(stored(), ['Mda & Co', title]);

  await page.goto(url('book_editor.exe'));
  await findAndOpen(page, 'book_editor', { title }, id);
  assert.equal(await fieldValue(page, 'title'), title);
  await fill(page, { price: '125.00' });
  await press(page, 'btnUpdate');
  assert.equal(await s.dialog(1), 'Entry updated.');
  assert.equal(await fieldValue(page, 'title'), title);
  assert.deepEqual(stored(), ['Mda & Co', title]);

  await page.goto(url('lookup_form.exe'));
  await page.fill('#title', 'M\u00f4re');
  await navigation(page, () => page.click('main input[type=submit]'));
  assert.ok((await page.textContent('main')).includes(title), 'the catalogue finds it by an accented part');
});

test('staff cannot delete a book that was ever lent', async (s) => {
  const [id, isbn] = sql(`SELECT id, isbn FROM BOOK WHERE id IN (SELECT bookid FROM CHECKOUT WHERE inDate <> 0)
    ORDER BY id LIMIT 1`)[0];
  const page = await s.page();
  await page.goto(url('book_editor.exe'));
  await findAndOpen(page, 'book_editor', { isbn }, id);
  await press(page, 'btnDelete');
  assert.equal(await s.dialog(1), 'Error in deleteBook: The specified book appears in the Checkout table.');
  assert.equal(sqlValue(`SELECT COUNT(*) FROM BOOK WHERE id = ${id}`), '1');
});

test('staff lend a book', async (s) => {
  const member = borrower(0);
  const book = freeBook();
  const page = await s.page();
  await page.goto(url('checkout_editor.exe'));
  await page.click('#btnNew');
  const due = await fieldValue(page, 'returnDate');
  assert.match(due, /^\d{4}-\d\d-\d\d$/);
  assert.equal(await page.inputValue('#returnDate_picker'), due, 'the date picker follows the field');
  await fill(page, { memberid: member, bookid: book });
  await press(page, 'btnInsert');
  assert.equal(await s.dialog(0), 'New entry added.');
  assert.equal(sqlValue(`SELECT COUNT(*) FROM CHECKOUT WHERE memberid = ${member} AND bookid = ${book}
    AND inDate = 0 AND returnDate = '${due}'`), '1');
  await screenshot(page, 'checkout_editor');
});

test('staff check a book in and see who reserved it', async (s) => {
  const [loan, book] = sql(`SELECT id, bookid FROM CHECKOUT WHERE inDate = 0
    AND bookid IN (SELECT bookid FROM RESERVATION) ORDER BY id LIMIT 1`)[0];
  const waiting = sql(`SELECT memberid FROM RESERVATION WHERE bookid = ${book}`).map((r) => r[0]);
  const member = sqlValue(`SELECT memberid FROM CHECKOUT WHERE id = ${loan}`);
  const page = await s.page();
  await page.goto(url('checkout_editor.exe'));
  await findAndOpen(page, 'checkout_editor', { bookid: book }, loan);
  assert.equal(await page.isDisabled('#btnReturnBook'), false);
  await press(page, 'btnReturnBook');
  assert.equal(await s.dialog(0), `Check in book ${book}, lent to member ${member}?`);
  assert.equal(await s.dialog(1), 'Book returned.');
  const text = await page.textContent('main');
  assert.match(text, /The following members have previously reserved this book, and can be notified of the check-in/);
  for (const m of waiting) assert.ok(text.includes(m), `member ${m} is named`);
  assert.equal(sqlValue(`SELECT inDate <> 0 FROM CHECKOUT WHERE id = ${loan}`), '1');
  await screenshot(page, 'checkout_checkin');
  // The returned loan, shown again, cannot be checked in a second time.
  await findAndOpen(page, 'checkout_editor', { bookid: book }, loan);
  assert.equal(await page.isDisabled('#btnReturnBook'), true);
});

test('staff cannot save a member over another by typing its number', async (s) => {
  const [shown, other] = sql('SELECT id FROM MEMBER ORDER BY id LIMIT 2').map((r) => r[0]);
  const members = () => sql(`SELECT * FROM MEMBER WHERE id IN (${shown}, ${other}) ORDER BY id`);
  const before = members();
  const page = await s.page();
  await page.goto(url('member_editor.exe'));
  assert.equal(await fieldValue(page, 'id'), shown);
  await fill(page, { id: other, surname: 'Overwritten' });
  await press(page, 'btnUpdate');
  assert.equal(await s.dialog(0),
    'The changes were not saved: the ID no longer matches the entry shown. To change another entry, look it up first.');
  assert.deepEqual(members(), before);
  assert.equal(await fieldValue(page, 'id'), shown, 'the entry shown before, as stored');
});

test('staff blacklist a member, whose next loan is refused', async (s) => {
  const member = borrower(1);
  const book = freeBook();
  const page = await s.page();
  await page.goto(url('blacklist_editor.exe'));
  await page.click('#btnNew');
  await fill(page, { memberid: member, reason: 'Four books long overdue' });
  await press(page, 'btnInsert');
  assert.equal(await s.dialog(0), 'New entry added.');
  assert.equal(sqlValue(`SELECT COUNT(*) FROM BLACKLIST WHERE memberid = ${member}`), '1');
  await screenshot(page, 'blacklist_editor');

  await page.goto(url('checkout_editor.exe'));
  await page.click('#btnNew');
  await fill(page, { memberid: member, bookid: book });
  await press(page, 'btnInsert');
  assert.equal(await s.dialog(1),
    'Error in insertCheckout: The specified member has been prohibited from checking out books.');
  assert.equal(sqlValue(`SELECT COUNT(*) FROM CHECKOUT WHERE memberid = ${member} AND bookid = ${book}`), '0');
});

test('staff open the reports from the menu, read the loans chart and open an overdue loan', async (s) => {
  const member = borrower(2);
  const book = freeBook();
  sql(`INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate)
    VALUES (${member}, ${book}, NOW() - INTERVAL 20 DAY, CURDATE() - INTERVAL 3 DAY, 0)`);
  const loan = sqlValue('SELECT MAX(id) FROM CHECKOUT');
  const page = await s.page();
  await page.goto(url('book_editor.exe'));
  await navigation(page, () => page.click('#menu a.menulink[href*="reports"]'));
  assert.match(page.url(), /reports\.exe\?lang=eng/);
  await navigation(page, () => page.click('p.reportlinks a[href*="report=monthly"]'));
  assert.equal(await page.$$eval('svg.reportchart rect', (r) => r.length), 12);
  const thisMonth = sqlValue("SELECT DATE_FORMAT(CURDATE(), '%Y-%m')");
  const counted = sqlValue(`SELECT COUNT(*) FROM CHECKOUT WHERE DATE_FORMAT(checkoutDate, '%Y-%m') = '${thisMonth}'`);
  // the months named in the page's language, as the database's English names them
  assert.equal(await page.textContent('svg.reportchart text:last-of-type'),
    sqlValue("SELECT DATE_FORMAT(CURDATE(), '%b %Y')"));
  assert.equal(await page.$eval('svg.reportchart rect:last-of-type title', (t) => t.textContent),
    `${sqlValue("SELECT DATE_FORMAT(CURDATE(), '%M %Y')")}: ${counted}`);
  await screenshot(page, 'reports_chart');

  const csv = await s.context.request.get(await page.$eval('a.csvlink', (a) => a.href));
  assert.equal(csv.headers()['content-type'], 'text/csv; charset=windows-1252');
  assert.match((await csv.text()).split('\r\n')[0], /^Month,Loans$/);

  await navigation(page, () => page.click('p.reportlinks a[href*="report=overdue"]'));
  await navigation(page, () => page.click(`tr[onclick*="'${loan}'"]`));
  assert.match(page.url(), /checkout_editor\.exe\?lang=eng/);
  assert.equal(await fieldValue(page, 'id'), loan);
  assert.equal(await fieldValue(page, 'bookid'), book);
});

test('staff import a spreadsheet after its preview, and fetch a new book\'s details by its ISBN', async (s) => {
  const page = await s.page();
  await page.goto(url('catalogue.exe'));
  await page.setInputFiles('#catalogue_file', { name: 'boeke.csv', mimeType: 'text/csv',
    buffer: Buffer.from('Titel;Outeur;Prys\r\nToorberg, ingevoer;Van den Heever, C. M.;85,50\r\n', 'latin1') });
  await navigation(page, () => page.click('form[enctype] input[type=submit]'));
  assert.match(await page.textContent('main'), /Records read: 1\. To be added: 1/);
  await screenshot(page, 'catalogue_preview');
  await page.selectOption('#condition', '8');
  await navigation(page, () => page.click('input[value="Add the books to the catalogue"]'));
  assert.match(await page.textContent('main'), /Books added to the catalogue: 1\. Records skipped: 0\./);
  assert.deepEqual(sql("SELECT author, price, _condition FROM BOOK WHERE title = 'Toorberg, ingevoer'"),
    [['Van den Heever, C. M.', '85.50', '8']]);

  // A new book: its ISBN typed, its details asked of the shared catalogue; nothing is saved.
  const books = sqlValue('SELECT COUNT(*) FROM BOOK');
  await page.goto(url('book_editor.exe'));
  assert.equal(await page.isDisabled('#btnFetch'), true, 'a stored book fetches nothing');
  await page.click('#btnNew');
  await fill(page, { isbn: '080442957X', price: '1.00' });
  await page.click('#btnFetch');
  assert.equal(await s.dialog(0), 'Details filled in from the shared catalogue. Check them, then add the book.');
  assert.equal(await fieldValue(page, 'author'), 'Brink, Andr\u00e9 P.');
  assert.equal(await fieldValue(page, 'title'), 'Kennis van die aand');
  assert.equal(await fieldValue(page, 'dewey'), '839');
  assert.equal(await fieldValue(page, 'price'), '245.00');
  assert.equal(sqlValue('SELECT COUNT(*) FROM BOOK'), books);
  await screenshot(page, 'book_editor_fetched');
  await fill(page, { _condition: 8 });
  await press(page, 'btnInsert');
  assert.deepEqual(sql('SELECT title, isbn, dewey, price, _condition FROM BOOK ORDER BY id DESC LIMIT 1'),
    [['Kennis van die aand', '080442957X', '839', '245.00', '8']]);
});
