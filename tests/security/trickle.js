// One client starving the others: TRICKLE_COUNT connections from TRICKLE_FROM (default 127.0.0.1)
// send their request headers a line at a time and never finish; meanwhile a client at PROBE_FROM
// (default 127.0.0.2) asks for PROBE_PATH three times. Prints one JSON line: how many slow
// connections were open, and each probe's status and milliseconds.
// Environment: TRICKLE_PORT, TRICKLE_TLS=1 (the slow clients finish the TLS handshake first),
// TRICKLE_COUNT (default 2000), PROBE_PATH (default /cgi-bin/index.exe?lang=eng).
'use strict';
const net = require('node:net');
const tls = require('node:tls');
const http = require('node:http');
const https = require('node:https');

const port = Number(process.env.TRICKLE_PORT);
const useTls = process.env.TRICKLE_TLS === '1';
const count = Number(process.env.TRICKLE_COUNT || 2000);
const from = process.env.TRICKLE_FROM || '127.0.0.1';
const probeFrom = process.env.PROBE_FROM || '127.0.0.2';
const probePath = process.env.PROBE_PATH || '/cgi-bin/index.exe?lang=eng';

const slow = [];
let open = 0;

function openSlow() {
  return new Promise((resolve) => {
    const options = { host: '127.0.0.1', port, localAddress: from };
    const socket = useTls
      ? tls.connect({ ...options, rejectUnauthorized: false, ALPNProtocols: ['http/1.1'] })
      : net.connect(options);
    let done = false;
    const ready = () => {
      if (done) return;
      done = true;
      open++;
      socket.write(`GET ${probePath} HTTP/1.1\r\nHost: 127.0.0.1\r\n`);
      resolve();
    };
    socket.on(useTls ? 'secureConnect' : 'connect', ready);
    socket.on('error', () => { if (!done) { done = true; resolve(); } });
    socket.on('close', () => { if (done) open--; });
    socket.setTimeout(0);
    slow.push(socket);
  });
}

function probe() {
  return new Promise((resolve) => {
    const started = process.hrtime.bigint();
    const request = (useTls ? https : http).get({ host: '127.0.0.1', port, path: probePath,
      localAddress: probeFrom, rejectUnauthorized: false, agent: false, timeout: 5000 }, (res) => {
      res.resume();
      res.on('end', () => resolve({ status: res.statusCode,
        ms: Number(process.hrtime.bigint() - started) / 1e6 }));
    });
    request.on('timeout', () => request.destroy(new Error('timed out')));
    request.on('error', (e) => resolve({ status: 0, error: String(e.message),
      ms: Number(process.hrtime.bigint() - started) / 1e6 }));
  });
}

async function main() {
  // Opened in batches, as a client would pour them in.
  for (let i = 0; i < count; i += 100) {
    await Promise.all(Array.from({ length: Math.min(100, count - i) }, openSlow));
  }
  // A header line every second keeps each slow connection busy, never idle.
  const trickle = setInterval(() => {
    for (const s of slow) if (!s.destroyed) s.write('X-Slow: 1\r\n');
  }, 1000);
  await new Promise((r) => setTimeout(r, 1500));
  const held = open;
  const probes = [];
  for (let i = 0; i < 3; i++) probes.push(await probe());
  clearInterval(trickle);
  console.log(JSON.stringify({ held, probes }));
  for (const s of slow) s.destroy();
}

main();
