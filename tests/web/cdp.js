// Headless chromium driven over its DevTools protocol, with a WebSocket client of its own over `net` (node 18
// has none built in), so the browser tests need nothing from npm.
'use strict';
const { spawn } = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const http = require('http');
const net = require('net');
const os = require('os');
const path = require('path');

function getJson(url) {
  return new Promise((resolve, reject) => {
    http.get(url, (res) => {
      let body = '';
      res.on('data', (d) => (body += d));
      res.on('end', () => { try { resolve(JSON.parse(body)); } catch (e) { reject(e); } });
    }).on('error', reject);
  });
}

// A client WebSocket: text frames out (masked), text frames in (whole or in fragments).
function connect(wsUrl) {
  const u = new URL(wsUrl);
  return new Promise((resolve, reject) => {
    const sock = net.connect(Number(u.port), u.hostname);
    const key = crypto.randomBytes(16).toString('base64');
    let buf = Buffer.alloc(0), open = false, parts = [];
    const ws = { onmessage: null, send(text) {
      const data = Buffer.from(text), mask = crypto.randomBytes(4);
      let head;
      if (data.length < 126) head = Buffer.from([0x81, 0x80 | data.length]);
      else if (data.length < 65536) { head = Buffer.alloc(4); head[0] = 0x81; head[1] = 0x80 | 126; head.writeUInt16BE(data.length, 2); }
      else { head = Buffer.alloc(10); head[0] = 0x81; head[1] = 0x80 | 127; head.writeBigUInt64BE(BigInt(data.length), 2); }
      for (let i = 0; i < data.length; i++) data[i] ^= mask[i & 3];
      sock.write(Buffer.concat([head, mask, data]));
    }, close() { sock.destroy(); } };
    sock.on('connect', () => sock.write(`GET ${u.pathname} HTTP/1.1\r\nHost: ${u.host}\r\nUpgrade: websocket\r\n` +
      `Connection: Upgrade\r\nSec-WebSocket-Key: ${key}\r\nSec-WebSocket-Version: 13\r\n\r\n`));
    sock.on('error', reject);
    sock.on('data', (d) => {
      buf = Buffer.concat([buf, d]);
      if (!open) {
        const end = buf.indexOf('\r\n\r\n');
        if (end < 0) return;
        if (!/^HTTP\/1\.1 101/.test(buf.slice(0, end).toString())) return reject(new Error('no WebSocket upgrade'));
        buf = buf.slice(end + 4);
        open = true;
        resolve(ws);
      }
      for (;;) {
        if (buf.length < 2) return;
        let len = buf[1] & 127, at = 2;
        if (len === 126) { if (buf.length < 4) return; len = buf.readUInt16BE(2); at = 4; }
        else if (len === 127) { if (buf.length < 10) return; len = Number(buf.readBigUInt64BE(2)); at = 10; }
        if (buf.length < at + len) return;
        const fin = buf[0] & 0x80, op = buf[0] & 15, payload = buf.slice(at, at + len);
        buf = buf.slice(at + len);
        if (op === 1 || op === 0) {
          parts.push(payload);
          if (fin) { const text = Buffer.concat(parts).toString(); parts = []; if (ws.onmessage) ws.onmessage(text); }
        }
      }
    });
  });
}

// Starts chromium on an empty profile, opens `url`, and hands back { send(method, params), evaluate(expr),
// screenshot(file), close() }.
async function launch({ width = 1366, height = 768, downloads } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quorl-chromium-'));
  const args = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`,
    `--window-size=${width},${height}`, '--remote-debugging-port=0', 'about:blank'];
  const proc = spawn(process.env.CHROMIUM || 'chromium', args, { stdio: ['ignore', 'ignore', 'pipe'] });
  const wsBrowser = await new Promise((resolve, reject) => {
    let err = '';
    const timer = setTimeout(() => reject(new Error('chromium did not start: ' + err.slice(-2000))), 30000);
    proc.stderr.on('data', (d) => {
      err += d;
      const m = /DevTools listening on (ws:\/\/\S+)/.exec(err);
      if (m) { clearTimeout(timer); resolve(m[1]); }
    });
    proc.on('exit', (code) => reject(new Error(`chromium ended (${code}): ` + err.slice(-2000))));
  });
  const port = new URL(wsBrowser).port;
  const targets = await getJson(`http://127.0.0.1:${port}/json/list`);
  const page = targets.find((t) => t.type === 'page');
  const ws = await connect(page.webSocketDebuggerUrl);
  let id = 0;
  const waiting = new Map(), listeners = [];
  ws.onmessage = (text) => {
    const m = JSON.parse(text);
    if (m.id && waiting.has(m.id)) {
      const { resolve, reject } = waiting.get(m.id);
      waiting.delete(m.id);
      if (m.error) reject(new Error(JSON.stringify(m.error))); else resolve(m.result);
    } else if (m.method) for (const l of listeners) l(m);
  };
  const send = (method, params = {}) => new Promise((resolve, reject) => {
    const n = ++id;
    waiting.set(n, { resolve, reject });
    ws.send(JSON.stringify({ id: n, method, params }));
  });
  const evaluate = async (expression) => {
    const r = await send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (r.exceptionDetails) throw new Error(expression + ': ' + JSON.stringify(r.exceptionDetails).slice(0, 1500));
    return r.result.value;
  };
  const console = [];
  listeners.push((m) => {
    if (m.method === 'Runtime.consoleAPICalled') console.push(m.params.args.map((a) => a.value).join(' '));
    if (m.method === 'Runtime.exceptionThrown') console.push('exception: ' + JSON.stringify(m.params.exceptionDetails).slice(0, 1500));
  });
  await send('Runtime.enable');
  await send('Page.enable');
  if (downloads) await send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads }).catch(() => {});
  return {
    send, evaluate, console,
    async open(url) { await send('Page.navigate', { url }); },
    async screenshot(file) {
      const r = await send('Page.captureScreenshot', { format: 'png' });
      fs.writeFileSync(file, Buffer.from(r.data, 'base64'));
    },
    close() {
      ws.close();
      proc.kill();
      setTimeout(() => fs.rmSync(profile, { recursive: true, force: true }), 500);
    },
  };
}

async function until(what, check, ms = 30000, every = 100) {
  const end = Date.now() + ms;
  for (;;) {
    const v = await check();
    if (v) return v;
    if (Date.now() > end) throw new Error('timed out waiting for ' + what);
    await new Promise((r) => setTimeout(r, every));
  }
}

module.exports = { launch, until };
