// Site-wide scenarios: the staff door, what the web server refuses, and the site's entry address.
const { test, url, screenshot, navigation, programsOf, assert, BASE, STAFF } = require('./lib/harness');

const STAFF_PROGRAMS = programsOf('staff');

test('without a session the staff programs show the sign-in form and nothing of their own', async (s) => {
  const right = `Basic ${Buffer.from(`staff:${STAFF.password}`).toString('base64')}`;
  for (const program of STAFF_PROGRAMS) {
    for (const path of [`/cgi-bin/${program}.exe?lang=eng`, `/cgi-bin//${program}.exe?lang=eng`,
      `/cgi-bin/./${program}.exe?lang=eng`]) {
      // The staff password as HTTP credentials is no way in any more: no dialog, no 401.
      for (const headers of [{}, { Authorization: right }]) {
        const response = await s.context.request.get(BASE + path, { maxRedirects: 0, headers });
        assert.equal(response.status(), 200, path);
        assert.equal(response.headers()['www-authenticate'], undefined, path);
        const body = await response.text();
        // the sign-in page, titled as such, not the program's own
        assert.match(body, /<title>Ashgrove Library :: Staff sign-in<\/title>/, path);
        assert.match(body, /id="signin_password"/, `${path} shows the sign-in form`);
      }
    }
  }
});

test('staff sign in on the form a staff page shows, with the keyboard alone, and come back to that page', async (s) => {
  const page = await s.page();
  await page.goto(url('reports.exe', 'lang=afr'));
  assert.match(await page.textContent('main'), /Personeel inteken/);
  await screenshot(page, 'staff_signin');
  // The password field has the focus: type, then Enter.
  await page.keyboard.type(STAFF.password);
  await navigation(page, () => page.keyboard.press('Enter'));
  assert.match(page.url(), /\/cgi-bin\/reports\.exe\?lang=afr$/);
  assert.doesNotMatch(await page.textContent('main'), /signin_password|Personeel inteken/);
  // Signing out ends the session: the staff page asks again.
  await navigation(page, () => page.click('#staff_signout'));
  assert.match(await page.textContent('main'), /U het afgeteken/);
  await page.goto(url('reports.exe'));
  assert.ok(await page.$('#signin_password'), 'signed out: the sign-in form again');
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
  assert.match(await page.textContent('main'), /Welkom by die Biblioteek!/);
  await screenshot(page, 'index');
});
