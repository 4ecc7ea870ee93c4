// The pass timed in headless chromium, as quorl-cli bench times it: bench.html's lines for each form asked.
// usage: node bench.js SITE FORM...        (FORM: scalar or wasm128)
'use strict';
const { spawn } = require('child_process');
const path = require('path');
const { launch, until } = require('./cdp.js');

const [site, ...forms] = process.argv.slice(2);
(async () => {
  const server = spawn('python3', [path.join(__dirname, '../../web/serve.py'), site, '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = await new Promise((resolve) => server.stdout.on('data', (d) => {
    const m = /localhost:(\d+)/.exec(String(d));
    if (m) resolve(`http://localhost:${m[1]}/`);
  }));
  const b = await launch({});
  try {
    console.log(`chromium ${(await b.send('Browser.getVersion')).product}`);
    for (const form of forms) {
      await b.open(`${url}bench.html?simd=${form}&sizes=1000+6668`);
      await until('the bench', () => b.evaluate(`((document.getElementById('out') || {}).dataset || {}).done === '1'`), 600000, 500);
      console.log(`== browser-${form}`);
      console.log((await b.evaluate(`document.getElementById('out').textContent`)).trim());
    }
  } finally {
    b.close();
    server.kill();
  }
  process.exit(0);
})();
