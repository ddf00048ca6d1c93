// Member scenarios: catalogue search in both languages, the membership card, reserving a book.
const { test, sql, sqlValue, url, screenshot, navigation, assert } = require('./lib/harness');

// A member who may borrow and reserve: not blacklisted, account running, with open loans.
function activeMember() {
  const [id, password, surname] = sql(`SELECT m.id, m.password, m.surname FROM MEMBER m
    WHERE m.accountExpiryDate > CURDATE() AND m.id NOT IN (SELECT memberid FROM BLACKLIST)
      AND m.id IN (SELECT memberid FROM CHECKOUT WHERE inDate = 0)
      AND m.id IN (SELECT memberid FROM RESERVATION) ORDER BY m.id LIMIT 1`)[0];
  return { id, password, surname };
}

async function submitForm(page) {
  await navigation(page, () => page.click('main input[type=submit]'));
}

test('member searches the catalogue in English', async (s) => {
  const [title, author] = sql("SELECT title, author FROM BOOK WHERE title LIKE 'Cry, the Beloved%'")[0];
  const page = await s.page();
  await page.goto(url('lookup_form.exe'));
  await screenshot(page, 'lookup_form');
  assert.match(await page.title(), /Book search/);
  await page.fill('#title', 'Beloved Country');
  await submitForm(page);
  assert.match(page.url(), /patron_lookup\.exe\?lang=eng/);
  const text = await page.textContent('main');
  assert.match(text, /Search results:/);
  assert.ok(text.includes(title) && text.includes(author), `result names ${title} by ${author}`);
  assert.match(text, /End of results\./);
  await screenshot(page, 'patron_lookup');
});

test('member searches the catalogue in Afrikaans', async (s) => {
  const expected = sql("SELECT title FROM BOOK WHERE author LIKE '%Brink%'").map((r) => r[0]);
  assert.ok(expected.length > 1, 'sample data has several books by Brink');
  const page = await s.page();
  await page.goto(url('lookup_form.exe', 'lang=afr'));
  assert.match(await page.title(), /Soek-'n-boek/);
  await page.fill('#author', 'Brink');
  await submitForm(page);
  assert.match(page.url(), /patron_lookup\.exe\?lang=afr/);
  const text = await page.textContent('main');
  assert.match(text, /Soek resultate:/);
  for (const title of expected) assert.ok(text.includes(title), `"${title}" is among the results`);
  assert.match(text, /Einde van resultate\./);
});

test('member search without criteria is refused and goes back to the form', async (s) => {
  const page = await s.page();
  await page.goto(url('lookup_form.exe'));
  await navigation(page, () => page.click('main input[type=submit]'));
  assert.equal(await s.dialog(0), 'Please supply criteria to the search engine.');
  await page.waitForURL(/lookup_form\.exe/);
});

test('member opens the membership card', async (s) => {
  const m = activeMember();
  const loans = sql(`SELECT bookid FROM CHECKOUT WHERE memberid = ${m.id}`).map((r) => r[0]);
  const holds = sql(`SELECT bookid FROM RESERVATION WHERE memberid = ${m.id}`).map((r) => r[0]);
  const page = await s.page();
  await page.goto(url('card_form.exe'));
  await screenshot(page, 'card_form');
  await page.fill('#memberid', m.id);
  await page.fill('#password', m.password);
  await submitForm(page);
  const text = await page.textContent('main');
  assert.ok(text.includes(m.surname), 'the card shows the member surname');
  assert.match(text, /Checkout details:/);
  assert.match(text, /Reservation details:/);
  assert.match(text, /does not appear on the blacklist/);
  const tables = await page.$$('main table[cellpadding="5"]');
  assert.equal(tables.length, 3, 'details, loans and reservations tables');
  assert.equal((await tables[1].$$('tr')).length, 1 + loans.length, 'one row per loan');
  assert.equal((await tables[2].$$('tr')).length, 1 + holds.length, 'one row per reservation');
  await screenshot(page, 'patron_card');
});

test('blacklisted member sees the blacklisting on the card', async (s) => {
  const [id, password] = sql('SELECT m.id, m.password FROM MEMBER m JOIN BLACKLIST b ON b.memberid = m.id ORDER BY m.id LIMIT 1')[0];
  const page = await s.page();
  await page.goto(url('card_form.exe'));
  await page.fill('#memberid', id);
  await page.fill('#password', password);
  await submitForm(page);
  const text = await page.textContent('main');
  assert.match(text, /Your Member ID appears on the blacklist/);
  assert.deepEqual(s.dialogs, []);
});

test('member card with a wrong password is refused', async (s) => {
  const m = activeMember();
  const page = await s.page();
  await page.goto(url('card_form.exe'));
  await page.fill('#memberid', m.id);
  await page.fill('#password', m.password + 'x');
  await navigation(page, () => page.click('main input[type=submit]'));
  assert.equal(await s.dialog(0), 'Please verify your information, and try again.');
  await page.waitForURL(/card_form\.exe/);
  assert.equal(await page.$$eval('main table[cellpadding="5"]', (t) => t.length), 0);
});

test('member reserves a book, and a second reservation is refused', async (s) => {
  const m = activeMember();
  const book = sqlValue(`SELECT id FROM BOOK WHERE id NOT IN (SELECT bookid FROM RESERVATION WHERE memberid = ${m.id})
    AND id NOT IN (SELECT bookid FROM CHECKOUT WHERE inDate = 0) ORDER BY id DESC LIMIT 1`);
  const page = await s.page();
  await page.goto(url('hold_form.exe'));
  await screenshot(page, 'hold_form');
  const fill = async () => {
    await page.fill('#memberid', m.id);
    await page.fill('#password', m.password);
    await page.fill('#bookid', book);
  };
  await fill();
  await submitForm(page);
  assert.equal(await s.dialog(0), 'New entry added.');
  assert.match(await page.textContent('main'), /Your query was successfully processed/);
  assert.equal(sqlValue(`SELECT COUNT(*) FROM RESERVATION WHERE memberid = ${m.id} AND bookid = ${book}`), '1');
  await screenshot(page, 'patron_hold');

  await page.goto(url('hold_form.exe'));
  await fill();
  await navigation(page, () => page.click('main input[type=submit]'));
  assert.equal(await s.dialog(1), 'You have already reserved this book.');
  await page.waitForURL(/hold_form\.exe/);
  assert.equal(sqlValue(`SELECT COUNT(*) FROM RESERVATION WHERE memberid = ${m.id} AND bookid = ${book}`), '1');
});

test('the language switch shows the same page in the other language', async (s) => {
  const page = await s.page();
  await page.goto(url('member_home.exe'));
  assert.match(await page.textContent('#languageSwitch'), /Afrikaans/);
  await navigation(page, () => page.click('#languageSwitch'));
  assert.match(page.url(), /member_home\.exe\?lang=afr/);
  assert.match(await page.textContent('main'), /Lidmaat area tuisblad/);
  // menu links carry the page's language
  const hrefs = await page.$$eval('#menu a.menulink', (as) => as.map((a) => a.href));
  assert.ok(hrefs.length >= 5 && hrefs.every((h) => /[?&]lang=afr/.test(h)), hrefs.join(' '));
  await navigation(page, () => page.click('#menu a.menulink[href*="lookup_form"]'));
  assert.match(page.url(), /lookup_form\.exe\?lang=afr/);
});
