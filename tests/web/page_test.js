// The page in a real browser (headless chromium over its DevTools protocol): it opens within the time asked,
// presets, selects and splits a world from its controls, holds the Watch pace, and draws the main view and
// the panel; the replay it hands out plays natively to its own final state; a desktop replay plays in it to
// its recorded state; its files and its saved game survive a reload; screenshots at two screen sizes.
// usage: node page_test.js SITE QUORL_CLI REPLAY.qr REPLAY.expected OUT_DIR   (exit 77: no chromium or no native driver)
'use strict';
const { execFileSync, spawn } = require('child_process');
const fs = require('fs');
const path = require('path');
const { launch, until } = require('./cdp.js');

const [site, cli, sample, expected, out] = process.argv.slice(2);
const sampleHash = /hash=([0-9a-f]+)/.exec(fs.readFileSync(expected, 'utf8'))[1];
const chromium = process.env.CHROMIUM || 'chromium';
try { execFileSync('sh', ['-c', `command -v ${chromium}`]); } catch {
  console.log('SKIP: no chromium (scripts/test.sh installs it)');
  process.exit(77);
}
if (!fs.existsSync(cli)) {
  console.log(`SKIP: no native driver at ${cli} (the Release build makes it)`);
  process.exit(77);
}
fs.mkdirSync(out, { recursive: true });
const downloads = fs.mkdtempSync(path.join(out, 'downloads-'));
let failures = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok' : 'FAIL'}: ${what}`); if (!ok) failures++; };
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function serve() {
  const server = spawn('python3', [path.join(__dirname, '../../web/serve.py'), site, '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
  return new Promise((resolve, reject) => {
    server.stdout.on('data', (d) => {
      const m = /localhost:(\d+)/.exec(String(d));
      if (m) resolve({ server, url: `http://localhost:${m[1]}/` });
    });
    server.on('exit', (code) => reject(new Error('the server ended: ' + code)));
  });
}

async function main() {
  const { server, url } = await serve();
  const b = await launch({ downloads });
  const screen = async (width, height) => {
    await b.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: false });
    await sleep(600);  // the page refits once a resize rests
  };
  // A click as the mouse makes it, in the middle of a control.
  const press = async (name) => {
    const r = await b.evaluate(`(() => { const r = document.querySelector('[data-name="${name}"]').getBoundingClientRect();
      return [r.left + r.width / 2, r.top + r.height / 2]; })()`);
    for (const type of ['mousePressed', 'mouseReleased'])
      await b.send('Input.dispatchMouseEvent', { type, x: r[0], y: r[1], button: 'left', clickCount: 1 });
  };
  // Pixels of a control's drawing area unlike its background.
  const drawn = (name) => b.evaluate(`(() => {
    const o = els.find((e) => e && e.d.name === '${name}');
    const c = o.canvas, data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    const bg = o.d.back, r = parseInt(bg.substr(1, 2), 16), g = parseInt(bg.substr(3, 2), 16), bl = parseInt(bg.substr(5, 2), 16);
    let n = 0;
    for (let i = 0; i < data.length; i += 4) if (data[i] !== r || data[i + 1] !== g || data[i + 2] !== bl) n++;
    return n; })()`);
  const text = (name) => b.evaluate(`document.querySelector('[data-name="${name}"]').textContent`);

  try {
    await screen(1366, 768);
    await b.open(url);
    const first = await until('the first frame', () => b.evaluate('typeof firstFrame === "number" && firstFrame'), 30000);
    console.log(`first frame ${first.toFixed(0)} ms after the page was asked for`);
    check(first < 2000, 'the first frame within 2 s');
    await b.screenshot(path.join(out, 'page-start-1366x768.png'));

    // The goals open by themselves on the first run; closed, they leave the main view.
    await press('CmdGoalsClose');
    // Preset 3, the largest planet selected, split by a nova; then the game runs at the Watch pace.
    await press('CDp(3)');
    await sleep(1500);
    await press('Command66');
    await sleep(300);
    const world = await text('LabWorld');
    check(world.trim().length > 0, `a world selected: "${world.trim()}"`);
    await press('Command11');
    await sleep(300);
    const status = await text('Labill');
    check(/^New world \d+/.test(status), `the status line names the new world of the split: "${status.replace(/\n/g, " / ")}"`);
    const p0 = await b.evaluate('[Q.passes(), performance.now(), stats.frames, stats.busyMs]');
    await sleep(4000);
    const p1 = await b.evaluate('[Q.passes(), performance.now(), stats.frames, stats.busyMs, stats.longestMs]');
    const rate = (p1[0] - p0[0]) / ((p1[1] - p0[1]) / 1000), fps = (p1[2] - p0[2]) / ((p1[1] - p0[1]) / 1000);
    console.log(`Watch pace: ${rate.toFixed(0)} passes/s at ${fps.toFixed(1)} frames/s, ${((p1[3] - p0[3]) / (p1[2] - p0[2])).toFixed(2)} ms of a frame busy (longest ${p1[4].toFixed(1)} ms)`);
    check(Math.abs(rate - 5000) <= 100, 'the Watch pace held at 5000 passes/s (2%)');
    const main = await drawn('Quorl'), strip = await drawn('PicWorld');
    console.log(`drawn pixels: main view ${main}, planet strip ${strip}`);
    check(main > 200, 'the main view shows the system');
    check(strip > 200, 'the panel\'s planet strip shows the worlds');
    // The path of the selected world over the main view, on a layer of its own.
    await press('ChPath');
    // On a busy machine the line may take a few frames to reach its length.
    const dots = await until('the path', () => b.evaluate(`(() => {
      const c = els.find((e) => e && e.d.name === 'Quorl').overlay, d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
      let n = 0;
      for (let i = 3; i < d.length; i += 4) if (d[i]) n++;
      return n > 20 && n; })()`), 10000).catch(() => 0);
    console.log(`path: ${dots} pixels over the main view`);
    check(dots > 20, 'the path preview shows over the main view');
    await b.screenshot(path.join(out, 'page-1366x768.png'));
    await screen(1920, 1080);
    await b.screenshot(path.join(out, 'page-1920x1080.png'));
    await screen(1366, 768);

    // Held, the page's replay plays natively to the state the page shows.
    await press('Command5');
    await sleep(300);
    const hash = await b.evaluate('Q.hash()'), left = await b.evaluate('Q.passes()');
    await b.evaluate(`document.getElementById('download').click()`);
    const file = await until('the download', () => fs.readdirSync(downloads).filter((f) => f.endsWith('.qr'))[0], 15000);
    await sleep(300);
    const native = execFileSync(cli, ['replay', path.join(downloads, file)]).toString().trim();
    console.log(`page ${hash}; native: ${native}`);
    check(native.includes(`hash=${hash}`), 'the page\'s replay plays natively to the page\'s state');

    // Its files live in IndexedDB: after a reload they are there, and the game saved as the page went away
    // continues where it was left.
    await b.evaluate('Q.saveGame()');
    await b.evaluate('new Promise((done) => Q.FS.syncfs(false, done))');
    const before = await b.evaluate(`Q.FS.readdir('/quorl').filter((f) => f[0] !== '.').sort()`);
    await b.open(url);
    await until('the reloaded page', () => b.evaluate('typeof firstFrame === "number" && firstFrame'), 30000);
    const after = await b.evaluate(`Q.FS.readdir('/quorl').filter((f) => f[0] !== '.').sort()`);
    console.log(`files: ${before.join(' ')}; after a reload: ${after.join(' ')}`);
    check(['events.txt', 'replay.qr', 'tallyho.txt', 'autosave.qs'].every((f) => after.includes(f)),
      'tallyho.txt, events.txt, the replay and the saved game survive a reload');
    await press('CmdContinue');
    await sleep(300);
    const [passes, said] = [await b.evaluate('Q.passes()'), await text('Labill')];
    console.log(`left at pass ${left}; continued at pass ${passes}: ${said}`);
    check(passes === left && said.startsWith('Continued: the game saved'), 'Continue brings the game back where it was left');

    // A desktop replay opened in the page plays at Max to its recorded state.
    const doc = await b.send('DOM.getDocument');
    const input = await b.send('DOM.querySelector', { nodeId: doc.root.nodeId, selector: '#file' });
    await b.send('DOM.setFileInputFiles', { nodeId: input.nodeId, files: [path.resolve(sample)] });
    await until('the replay to play', () => b.evaluate('Q.replaying()'), 10000);
    await press('OpPace(2)');
    const t0 = Date.now();
    const ended = await until('the replay to end', () => b.evaluate('Q.replaySummary()'), 120000, 250);
    console.log(`replay in the page: ${ended} (${((Date.now() - t0) / 1000).toFixed(1)} s at Max)`);
    check(ended.includes(`hash=${sampleHash}`), `the desktop replay reaches its recorded hash ${sampleHash}`);
  } catch (e) {
    check(false, e.stack || String(e));
  } finally {
    if (b.console.length) console.log('page console:\n  ' + b.console.slice(-20).join('\n  '));
    b.close();
    server.kill();
  }
  fs.rmSync(downloads, { recursive: true, force: true });
  console.log(failures ? `${failures} failed` : 'all passed');
  process.exit(failures ? 1 : 0);
}

main();
