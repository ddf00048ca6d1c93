// Site-wide scenarios: access control at the web server, and every page loading cleanly in both languages.
const { test, url, screenshot, navigation, assert, BASE, STAFF } = require('./lib/harness');

// programs/staff_programs.txt: one "folder program" a line
const STAFF_PROGRAMS = require('node:fs')
  .readFileSync(require('node:path').join(__dirname, '../../programs/staff_programs.txt'), 'utf8')
  .split('\n').filter((line) => line && !line.startsWith('#')).map((line) => line.split(' ')[1]);

test('without credentials the staff programs answer 401', async (s) => {
  for (const program of STAFF_PROGRAMS) {
    for (const path of [`/cgi-bin/${program}.exe?lang=eng`, `/cgi-bin//${program}.exe`, `/cgi-bin/./${program}.exe`]) {
      const response = await s.context.request.get(BASE + path, { maxRedirects: 0 });
      assert.equal(response.status(), 401, path);
    }
    const wrong = await fetch(`${BASE}/cgi-bin/${program}.exe`,
      { headers: { Authorization: `Basic ${Buffer.from('staff:wrong').toString('base64')}` } });
    assert.equal(wrong.status, 401, `${program} with a wrong password`);
    const right = await fetch(`${BASE}/cgi-bin/${program}.exe?lang=eng`,
      { headers: { Authorization: `Basic ${Buffer.from(`${STAFF.username}:${STAFF.password}`).toString('base64')}` } });
    assert.equal(right.status, 200, `${program} with the staff password`);
  }
  const login = await s.context.request.get(url('staff_login.exe'));
  assert.equal(login.status(), 200, 'the staff login page stays open');
});

test('the backup program and the shared library cannot be requested', async (s) => {
  for (const path of ['/cgi-bin/autovault.exe', '/cgi-bin/autovault.exe?lang=eng', '/cgi-bin/autovault%2Eexe',
    '/cgi-bin/autovault.exe/x', '/cgi-bin/libambry.so', '/cgi-bin/']) {
    const response = await s.context.request.get(BASE + path, { maxRedirects: 0 });
    assert.ok([403, 404].includes(response.status()), `${path} answered ${response.status()}`);
  }
});

test('the site root leads to the home page in Afrikaans', async (s) => {
  const page = await s.page();
  await page.goto(`${BASE}/`);
  assert.match(page.url(), /\/cgi-bin\/index\.exe\?lang=afr$/);
  assert.match(await page.textContent('td.content'), /Welkom by die Biblioteek!/);
  await screenshot(page, 'index');
});

const PAGES = ['index.exe', 'member_home.exe', 'more_home.exe', 'lookup_form.exe', 'card_form.exe',
  'hold_form.exe', 'patron_lookup.exe', 'patron_card.exe', 'patron_hold.exe',
  ...STAFF_PROGRAMS.map((p) => `${p}.exe`), ...STAFF_PROGRAMS.slice(0, 5).map((p) => `${p}.exe?search=1`)];

test('staff and member pages load without JavaScript errors in both languages', async (s) => {
  const page = await s.page();
  for (const lang of ['eng', 'afr']) {
    for (const p of PAGES) {
      const [program, extra] = p.split('?');
      await page.goto(url(program, `lang=${lang}${extra ? `&${extra}` : ''}`));
      await page.waitForLoadState('load');
      // the pages answering a form go back when called without one
      if (program.startsWith('patron_')) await page.waitForTimeout(300);
      assert.ok(await page.$('#menu'), `${p} has its menu`);
      if (lang === 'eng' && !program.startsWith('patron_') && program !== 'index.exe')
        await screenshot(page, program.replace('.exe', '') + (extra ? '_search' : ''));
    }
  }
  assert.deepEqual(s.errors, []);
});
