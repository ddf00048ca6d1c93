// Load client: concurrent staff and members lending, returning, reserving and blacklisting through
// the web server for a bounded time; every answer must be a complete page. Prints a JSON summary.
// Environment: LOAD_URL, LOAD_SECONDS, LOAD_WORKERS, LOAD_BOOKS, LOAD_MEMBERS (ids with passwords
// "pw<id>"), LOAD_TOGGLED (members whose blacklisting is added and removed during the run),
// LOAD_COOKIE_FILE (a file holding the staff session's cookie, "ambry_staff=...").
'use strict';
const http = require('http');

const base = new URL(process.env.LOAD_URL);
if (base.hostname !== '127.0.0.1') throw new Error('load goes to 127.0.0.1 only');
const seconds = Math.min(Number(process.env.LOAD_SECONDS || 40), 120);
const workers = Math.min(Number(process.env.LOAD_WORKERS || 8), 32);
const books = Number(process.env.LOAD_BOOKS || 5);
const members = (process.env.LOAD_MEMBERS || '1 2 3').split(/\s+/).filter(Boolean).map(Number);
const toggled = (process.env.LOAD_TOGGLED || '').split(/\s+/).filter(Boolean).map(Number);
const footer = '</main>\n</body>\n</html>';
const staffCookie = require('fs').readFileSync(process.env.LOAD_COOKIE_FILE, 'latin1').trim();

function isoDate(daysFromToday) {
  const d = new Date();
  d.setDate(d.getDate() + daysFromToday);
  const pad = (n) => String(n).padStart(2, '0');
  return `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())}`;
}
const pick = (list) => list[Math.floor(Math.random() * list.length)];
const anyBook = () => 1 + Math.floor(Math.random() * books);

const stats = { requests: 0, incomplete: 0, failures: [], actions: {} };
const openLoans = new Set();        // loan ids seen added and not yet seen returned
const blacklistIds = new Map();     // toggled member -> id of the blacklisting this client added
const reservationIds = new Set();   // reservations added through the staff editor

function post(program, fields, asStaff) {
  const body = new URLSearchParams(fields).toString();
  const headers = { 'Content-Type': 'application/x-www-form-urlencoded',
                    'Content-Length': Buffer.byteLength(body) };
  if (asStaff) headers.Cookie = staffCookie;
  return new Promise((resolve) => {
    const req = http.request({ host: base.hostname, port: base.port, method: 'POST',
                               path: `/cgi-bin/${program}.exe?lang=eng`, headers, agent: false,
                               timeout: 40000 }, (res) => {
      const chunks = [];
      res.on('data', (c) => chunks.push(c));
      res.on('end', () => resolve({ status: res.statusCode, page: Buffer.concat(chunks).toString('latin1') }));
      res.on('error', (e) => resolve({ status: 0, page: String(e) }));
    });
    req.on('timeout', () => req.destroy(new Error('timed out')));
    req.on('error', (e) => resolve({ status: 0, page: String(e) }));
    req.end(body);
  });
}

const shownId = (page) => (page.match(/requestForm\.lastid\.value = "(\d+)"/) || [])[1];
const added = (page) => page.includes("pumpMsg('New entry added.')");

const actions = {
  async lend() {
    const r = await post('checkout_editor', { cmd: '1', id: '', memberid: String(pick(members)),
                                              bookid: String(anyBook()), returnDate: isoDate(14) }, true);
    if (added(r.page) && shownId(r.page)) openLoans.add(shownId(r.page));
    return r;
  },
  async checkIn() {
    const id = openLoans.size ? pick([...openLoans]) : '1';
    openLoans.delete(id);
    return post('checkout_editor', { cmd: '8', id, lastid: id }, true);
  },
  async reserveAsStaff() {
    const r = await post('reservation_editor', { cmd: '1', id: '', memberid: String(pick(members)),
                                                 bookid: String(anyBook()) }, true);
    if (added(r.page) && shownId(r.page)) reservationIds.add(shownId(r.page));
    return r;
  },
  async cancelReservation() {  // keeps reservations from blocking every book for good
    if (!reservationIds.size) return this.reserveAsStaff();
    const id = pick([...reservationIds]);
    reservationIds.delete(id);
    return post('reservation_editor', { cmd: '3', id, lastid: id }, true);
  },
  async reserveAsMember() {
    const m = pick(members);
    return post('patron_hold', { memberid: String(m), password: `pw${m}`, bookid: String(anyBook()) }, false);
  },
  async blacklist() {
    const m = pick(members);  // the toggled members and the others, already barred ones included
    const r = await post('blacklist_editor', { cmd: '1', id: '', memberid: String(m), reason: 'load run' }, true);
    if (toggled.includes(m) && added(r.page) && shownId(r.page)) blacklistIds.set(m, shownId(r.page));
    return r;
  },
  async unblacklist() {
    const m = pick(toggled);
    const id = blacklistIds.get(m);
    if (!id) return this.blacklist();
    blacklistIds.delete(m);
    return post('blacklist_editor', { cmd: '3', id, lastid: id }, true);
  },
  async card() {
    const m = pick(members);
    return post('patron_card', { memberid: String(m), password: `pw${m}` }, false);
  },
};
const weighted = ['lend', 'lend', 'lend', 'checkIn', 'checkIn', 'reserveAsStaff', 'reserveAsMember',
                  'reserveAsMember', 'cancelReservation', 'blacklist', 'unblacklist', 'card'];

async function worker(deadline) {
  while (Date.now() < deadline) {
    const name = pick(weighted);
    const r = await actions[name]();
    stats.requests++;
    stats.actions[name] = (stats.actions[name] || 0) + 1;
    const complete = r.status === 200 && (r.page.endsWith(footer) || r.page.endsWith(footer + '\n'));
    if (!complete) {
      stats.incomplete++;
      if (stats.failures.length < 10) stats.failures.push({ action: name, status: r.status, tail: r.page.slice(-300) });
    }
  }
}

(async () => {
  const deadline = Date.now() + seconds * 1000;
  await Promise.all(Array.from({ length: workers }, () => worker(deadline)));
  process.stdout.write(JSON.stringify(stats) + '\n');
})();
