// Accessibility scenarios: axe-core on every page of the site in both languages, the member pages on
// a phone, and the staff's daily work with the keyboard alone.
const fs = require('node:fs');
const { test, sql, sqlValue, url, screenshot, navigation, programsOf, assert, STAFF } = require('./lib/harness');
const { field, fieldValue } = require('./lib/editor');

const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

// What is wrong with the page for a screen reader, the keyboard or a laptop: axe-core's critical and
// serious violations, and a page that is not in standards mode, is wider than the window, names
// another language, or lacks its one main landmark, its one first-level heading, its menu's nav or
// its skip link.
async function accessFaults(page, language) {
  await page.addScriptTag({ content: AXE });
  return page.evaluate(async (tag) => {
    const result = await window.axe.run(document, { resultTypes: ['violations'] });
    const faults = result.violations.filter((v) => v.impact === 'critical' || v.impact === 'serious')
      .map((v) => `${v.id} (${v.impact}) at ${v.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')}`);
    if (document.compatMode !== 'CSS1Compat') faults.push('quirks mode');
    // The widest tables too fit a laptop's screen (the harness's window is 1,200 px wide).
    const page = document.scrollingElement;
    if (page.scrollWidth > page.clientWidth) faults.push(`${page.scrollWidth} px wide: scrolls sideways`);
    if (document.documentElement.lang !== tag) faults.push(`<html lang="${document.documentElement.lang}">`);
    for (const [selector, what] of [['main', 'main landmarks'], ['h1', 'first-level headings'], ['nav', 'navs']]) {
      const count = document.querySelectorAll(selector).length;
      if (count !== 1) faults.push(`${count} ${what}`);
    }
    const skip = document.querySelector('a.skiplink[href="#content"]');
    if (!skip || !document.querySelector('main#content')) faults.push('no skip link to the main content');
    return faults;
  }, language === 'afr' ? 'af' : 'en');
}

// Every page of the site, in both languages: the public and member pages (the answers to the member
// forms included), a staff page's sign-in form, every staff page once signed in there (the editors
// with their search mode and results, the control panel, the reports, the catalogue's import
// preview), and the page after signing out.
test('every page of the site in both languages has no critical or serious accessibility fault', async (s) => {
  const member = sql(`SELECT id, password FROM MEMBER WHERE accountExpiryDate > CURDATE()
    AND id NOT IN (SELECT memberid FROM BLACKLIST) AND id IN (SELECT memberid FROM CHECKOUT WHERE inDate = 0)
    ORDER BY id LIMIT 1`)[0];
  // Books out on loan to others, which the member may reserve: one for each language.
  const holds = sql(`SELECT bookid FROM CHECKOUT WHERE inDate = 0 AND memberid <> ${member[0]}
    AND bookid NOT IN (SELECT bookid FROM RESERVATION WHERE memberid = ${member[0]}) ORDER BY bookid LIMIT 2`)
    .map((r) => r[0]);
  const page = await s.page();
  const faults = [];
  const seen = new Set();
  const check = async (name, language) => {
    seen.add(new URL(page.url()).pathname.replace(/^.*\//, '').replace(/\.exe$/, ''));
    for (const fault of await accessFaults(page, language)) faults.push(`${name} (${language}): ${fault}`);
    if (language === 'eng') await screenshot(page, `access_${name}`);
  };
  const visit = async (program, language, extra = '') => {
    await page.goto(url(`${program}.exe`, `lang=${language}${extra}`));
    await check(program + extra.replace(/[&=]/g, '_'), language);
  };
  const answer = async (form, fields, language) => {
    await page.goto(url(`${form}.exe`, `lang=${language}`));
    for (const [name, value] of Object.entries(fields)) await page.fill(`#${name}`, value);
    await navigation(page, () => page.click('main input[type=submit]'));
    await check(`${form}_answered`, language);
  };
  for (const [i, language] of ['eng', 'afr'].entries()) {
    for (const program of ['index', 'member_home', 'more_home', 'lookup_form', 'card_form', 'hold_form'])
      await visit(program, language);
    await answer('lookup_form', { author: 'Brink' }, language);
    await answer('card_form', { memberid: member[0], password: member[1] }, language);
    await answer('hold_form', { memberid: member[0], password: member[1], bookid: holds[i] }, language);

    // A staff page without a session shows the sign-in form; signing in there comes back to it.
    await page.goto(url('control_panel.exe', `lang=${language}`));
    await check('staff_signin', language);
    await page.fill('#signin_password', STAFF.password);
    await navigation(page, () => page.press('#signin_password', 'Enter'));
    assert.ok(await page.$('#restore_file'), 'signed in on the sign-in form');
    await check('control_panel', language);
    await visit('staff_login', language);
    for (const editor of ['book', 'member', 'checkout', 'reservation', 'blacklist']) {
      await visit(`${editor}_editor`, language);
      await visit(`${editor}_editor`, language, '&search=1');
      // a few results: the books of one author, every entry of the smaller tables
      if (editor === 'book') await page.fill('[name=author]', 'Brink');
      await navigation(page, () => page.click('#btnSearch'));
      await check(`${editor}_results`, language);
    }
    for (const report of ['overdue', 'expiring', 'monthly', 'reserved'])
      await visit('reports', language, `&report=${report}`);
    await visit('catalogue', language);
    await page.setInputFiles('#catalogue_file', { name: 'books.csv', mimeType: 'text/csv',
      buffer: Buffer.from('Title;Author\r\nAccessible, a test;Reader, A.\r\n', 'latin1') });
    await navigation(page, () => page.click('form[enctype] input[type=submit]'));
    await check('catalogue_preview', language);
    await navigation(page, () => page.click('#staff_signout'));
    await check('staff_logout', language);
  }
  assert.deepEqual(faults, []);
  // Every page program of the list was checked: a program added to it joins this tour or fails it.
  const missed = [...programsOf('public'), ...programsOf('staff')].filter((program) => !seen.has(program));
  assert.deepEqual(missed, [], 'programs of programs/programs.txt that the tour did not check');
});

// The size of the smallest text a visitor reads on the page: text, and the values of fields and buttons.
async function smallestText(page) {
  return page.evaluate(() => {
    let smallest = { size: Infinity, text: '' };
    const note = (element, text) => {
      const style = getComputedStyle(element);
      const box = element.getBoundingClientRect();
      if (box.width === 0 || box.height === 0 || style.visibility === 'hidden') return;
      if (parseFloat(style.fontSize) < smallest.size) smallest = { size: parseFloat(style.fontSize), text };
    };
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    while (walker.nextNode())
      if (walker.currentNode.textContent.trim()) note(walker.currentNode.parentElement, walker.currentNode.textContent.trim());
    for (const field of document.querySelectorAll('input:not([type=hidden]), select, button')) note(field, field.outerHTML);
    return smallest;
  });
}

test('member pages on a phone fit its width in one column with text of at least 16 px', async (s) => {
  const [id, password] = sql(`SELECT id, password FROM MEMBER WHERE id IN (SELECT memberid FROM CHECKOUT WHERE inDate = 0)
    AND id IN (SELECT memberid FROM RESERVATION) ORDER BY id LIMIT 1`)[0];
  const phone = await s.context.browser().newContext({ viewport: { width: 390, height: 844 }, isMobile: true,
    hasTouch: true, ignoreHTTPSErrors: true });
  try {
    const page = await phone.newPage();
    page.on('pageerror', (e) => s.errors.push(`${page.url()}: ${e.message}`));
    const measure = async (name) => {
      const width = await page.evaluate(() => ({ layout: document.documentElement.clientWidth,
        scrolled: document.scrollingElement.scrollWidth }));
      // Laid out at the phone's own width (a viewport declaration), and nothing wider than it.
      assert.equal(width.layout, 390, `${name} is laid out 390 px wide`);
      assert.ok(width.scrolled <= width.layout, `${name} scrolls sideways: ${width.scrolled} px wide`);
      const menu = await page.$eval('#menu', (m) => m.getBoundingClientRect());
      const main = await page.$eval('main', (m) => m.getBoundingClientRect());
      assert.ok(main.top >= menu.bottom, `${name} shows the menu above the content, in one column`);
      const smallest = await smallestText(page);
      assert.ok(smallest.size >= 16, `${name}: text of ${smallest.size} px: ${smallest.text}`);
      await screenshot(page, `phone_${name}`);
    };
    for (const program of ['index', 'member_home', 'lookup_form', 'card_form', 'hold_form']) {
      await page.goto(url(`${program}.exe`, 'lang=afr'));
      await measure(program);
    }
    await page.goto(url('lookup_form.exe', 'lang=afr'));
    await page.fill('#title', 'the');
    await navigation(page, () => page.click('main input[type=submit]'));
    assert.ok((await page.$$('main tr')).length > 3, 'several books found');
    await measure('patron_lookup');
    await page.goto(url('card_form.exe', 'lang=afr'));
    await page.fill('#memberid', id);
    await page.fill('#password', password);
    await navigation(page, () => page.click('main input[type=submit]'));
    await measure('patron_card');
  } finally {
    await phone.close();
  }
});

// Presses Tab until the focused element is the one wanted (at most limit times) and checks that the
// focus shows; returns the number of presses.
async function tabTo(page, wanted, limit = 60) {
  for (let presses = 1; presses <= limit; presses++) {
    await page.keyboard.press('Tab');
    const reached = await page.evaluate(([selector, text]) => {
      const element = document.activeElement;
      return element.matches(selector) && (text === undefined || element.textContent.trim() === text);
    }, [wanted.selector, wanted.text]);
    if (!reached) continue;
    const shown = await page.evaluate(() => {
      const style = getComputedStyle(document.activeElement);
      return style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2;
    });
    assert.ok(shown, `the focus on ${wanted.selector} shows`);
    return presses;
  }
  return assert.fail(`${wanted.selector} ${wanted.text || ''} not reached with ${limit} Tabs`);
}

// The keyboard's way past the title bar and the menu: the first Tab reaches the skip link.
async function skipToContent(page) {
  assert.equal(await tabTo(page, { selector: 'a.skiplink' }, 1), 1);
  await page.keyboard.press('Enter');
}

test('staff work with the keyboard alone: find a book, open an overdue loan and check it in', async (s) => {
  const [book, title] = sql("SELECT id, title FROM BOOK WHERE title LIKE 'Cry, the Beloved%' ORDER BY id LIMIT 1")[0];
  const [loan, loanBook] = sql(`SELECT id, bookid FROM CHECKOUT WHERE inDate = 0 AND returnDate < CURDATE()
    ORDER BY returnDate, id LIMIT 1`)[0];
  const page = await s.page();

  await page.goto(url('book_editor.exe'));
  await skipToContent(page);
  await tabTo(page, { selector: '#btnSearchMode' });
  await navigation(page, () => page.keyboard.press('Enter'));
  await skipToContent(page);
  await tabTo(page, { selector: field('title') });
  await page.keyboard.type(title);
  await navigation(page, () => page.keyboard.press('Enter'));
  await skipToContent(page);
  await tabTo(page, { selector: 'button.rowopen', text: book });
  await navigation(page, () => page.keyboard.press('Enter'));
  assert.equal(await fieldValue(page, 'id'), book);
  // The condition is chosen by typing it.
  await tabTo(page, { selector: '#_condition' });
  await page.keyboard.type('3');
  assert.equal(await page.inputValue('#_condition'), '3');

  await page.goto(url('reports.exe', 'lang=eng&report=overdue'));
  await skipToContent(page);
  await tabTo(page, { selector: 'button.rowopen', text: loan });
  await navigation(page, () => page.keyboard.press('Enter'));
  assert.match(page.url(), /checkout_editor\.exe\?lang=eng/);
  assert.equal(await fieldValue(page, 'id'), loan);
  assert.equal(await fieldValue(page, 'bookid'), loanBook);
  await tabTo(page, { selector: '#btnReturnBook' });
  await navigation(page, () => page.keyboard.press('Enter'));
  assert.match(await s.dialog(0), new RegExp(`^Check in book ${loanBook}, lent to member \\d+\\?$`));
  assert.equal(await s.dialog(1), 'Book returned.');
  assert.equal(sqlValue(`SELECT inDate <> 0 FROM CHECKOUT WHERE id = ${loan}`), '1');
});
