// Test runner of the browser scenarios: named tests, pages that record console errors and pop-ups,
// screenshots, database look-ups, and a closing "N passed, N failed" line.
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { chromium } = require('playwright-core');

const BASE = process.env.AMBRY_TEST_URL;
const SOCKET = process.env.AMBRY_TEST_SOCKET;
const SHOTS = process.env.AMBRY_TEST_SHOTS;
const STAFF = { password: process.env.AMBRY_TEST_ADMIN_PASSWORD || 'marmots' };

const tests = [];
function test(name, fn) { tests.push({ name, fn }); }

// Rows of a query against the site's database, each an array of column texts.
function sql(statement) {
  const out = execFileSync('mysql', ['--no-defaults', `--socket=${SOCKET}`, '-uroot', '-N', '-B', 'ambry',
    '-e', statement], { encoding: 'latin1' });
  return out.split('\n').filter((line) => line !== '').map((line) => line.split('\t'));
}
function sqlValue(statement) {
  const rows = sql(statement);
  return rows.length ? rows[0][0] : undefined;
}

function url(program, query = 'lang=eng') { return `${BASE}/cgi-bin/${program}?${query}`; }

// One browser context per test; every page opened in it records its problems and pop-ups.
class Session {
  constructor(context) {
    this.context = context;
    this.errors = [];
    this.dialogs = [];
  }
  async page() {
    const page = await this.context.newPage();
    page.on('console', (m) => { if (m.type() === 'error') this.errors.push(`${page.url()}: ${m.text()}`); });
    page.on('pageerror', (e) => this.errors.push(`${page.url()}: ${e.message}`));
    page.on('dialog', async (d) => { this.dialogs.push(d.message()); await d.accept(); });
    return page;
  }
  // Waits for the next pop-up message and returns it.
  async dialog(fromIndex, timeout = 5000) {
    const end = Date.now() + timeout;
    while (this.dialogs.length <= fromIndex) {
      if (Date.now() > end) assert.fail(`no pop-up message appeared (seen: ${JSON.stringify(this.dialogs)})`);
      await new Promise((r) => setTimeout(r, 50));
    }
    return this.dialogs[fromIndex];
  }
}

async function screenshot(page, name) {
  if (!SHOTS) return;
  await page.screenshot({ path: path.join(SHOTS, `${name}.png`), fullPage: true });
}

// Runs the action and waits for the page it leads to.
async function navigation(page, action) {
  await Promise.all([page.waitForNavigation({ waitUntil: 'load' }), action()]);
}

// Signs in the way a librarian does: the staff password form in the home page's menu. The session
// cookie then stays with the browser context.
async function signIn(session) {
  const page = await session.page();
  await page.goto(url('index.exe'));
  await page.fill('#staff_password', STAFF.password);
  await navigation(page, () => page.click('#staff_signin'));
  assert.match(await page.textContent('main'), /Administration area homepage/, 'signed in');
  await page.close();
}

async function run() {
  if (SHOTS) fs.mkdirSync(SHOTS, { recursive: true });
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking'] });
  let passed = 0;
  let failed = 0;
  const only = process.env.AMBRY_TEST_ONLY;
  for (const t of tests) {
    if (only && !t.name.includes(only)) continue;
    // The staff tests begin signed in, but those about signing in itself.
    const staff = t.name.startsWith('staff') && !t.name.startsWith('staff sign');
    // The site is served over HTTPS with its own self-signed certificate, as an installation is.
    const context = await browser.newContext({ viewport: { width: 1200, height: 800 }, ignoreHTTPSErrors: true });
    const session = new Session(context);
    try {
      if (staff) await signIn(session);
      await t.fn(session);
      assert.deepEqual(session.errors, [], 'JavaScript errors in the console');
      passed++;
      console.log(`ok - ${t.name}`);
    } catch (e) {
      failed++;
      console.log(`FAILED - ${t.name}\n   ${String(e && e.stack || e).split('\n').slice(0, 6).join('\n   ')}`);
      if (session.errors.length) console.log(`   console: ${session.errors.join('\n   console: ')}`);
    } finally {
      await context.close();
    }
  }
  await browser.close();
  console.log(`${passed} passed, ${failed} failed`);
  return failed === 0 && passed > 0;
}

// The programs of programs/programs.txt ("folder program staff|public|tool" a line) of one kind.
function programsOf(kind) {
  return fs.readFileSync(path.join(__dirname, '../../../programs/programs.txt'), 'utf8').split('\n')
    .filter((line) => line && !line.startsWith('#')).map((line) => line.split(' '))
    .filter((fields) => fields[2] === kind).map((fields) => fields[1]);
}

module.exports = { test, run, sql, sqlValue, url, screenshot, navigation, signIn, programsOf, assert, BASE, STAFF };
