// The renderer's layout against the page: for each case a program under Wine writes the desktop
// (desktop.js, theme.htm) and its own layout of it as JSON; headless Chromium opens the page at
// the same size and scale (device metrics set over the DevTools pipe, so the viewport is exact)
// and the rectangles of the title, the emblem, the column bar and titles, every row's picture,
// caption and description, the bottom bar and its text are compared.
//
// Tolerance: 2 CSS pixels (times the scale) for every edge, and for the right and left edges of a
// text 1.5 % of its width more. Boxes and pictures land within a pixel: both sides place them by
// the same table rules, and the renderer rounds to whole display pixels where the browser keeps
// fractions. The renderer measures texts with the font's unrounded advances, as the browser
// does, but the browser also kerns, which makes its lines up to about 1 % narrower. Text lines
// must match in number: texts wrap alike.
//
// node compare_layout.mjs --layout <mirella_desktop_layout.exe> --wine wine
//                         --chromium /usr/bin/chromium --work <dir>

import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { Checks } from './desktop_cases.mjs';

const options = {};
for (let i = 2; i + 1 < process.argv.length; i += 2) options[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
for (const required of ['layout', 'wine', 'chromium', 'work']) {
  if (!options[required]) throw new Error(`missing --${required}`);
}

const CASES = [
  { content: 'default', width: 1024, height: 768, dpi: 96 },
  { content: 'default', width: 1920, height: 1080, dpi: 144 },
  { content: 'wrapped', width: 1024, height: 768, dpi: 96 },
  { content: 'wrapped', width: 3840, height: 2160, dpi: 192 },
];
const TOLERANCE = 2;  // CSS pixels

// What the page shows, in CSS pixels: [left, top, width, height] per item.
const PROBE = `(function () {
  function box(e) { if (!e) return null; var b = e.getBoundingClientRect(); return [b.left, b.top, b.width, b.height]; }
  function lines(e) { var range = document.createRange(); range.selectNodeContents(e); return range.getClientRects().length; }
  var tds = document.querySelectorAll('td[colspan="2"]');
  var bars = document.querySelectorAll('font[color="#FFFFFF"] > b');
  var title = document.querySelector('font[size="6"] > b');
  var rows = [];
  document.querySelectorAll('td[valign="top"]').forEach(function (td) {
    td.querySelectorAll('table').forEach(function (t) {
      var a = t.querySelector('a'), d = t.querySelector('font[size="2"]');
      rows.push({ picture: box(t.querySelector('img')), caption: box(a), captionLines: a.textContent ? lines(a) : 0,
                  description: box(d), descriptionLines: d.textContent ? lines(d) : 0 });
    });
  });
  return { scrolls: document.documentElement.scrollHeight > innerHeight,
           title: box(title), titleLines: title.textContent ? lines(title) : 0,
           emblem: box(document.querySelector('img[width="345"]')), columnBar: box(tds[1]),
           columnTitles: [box(bars[0]), box(bars[1])], bottomBar: box(tds[2]), barText: box(bars[2]), rows: rows };
})()`;

// Chromium driven over --remote-debugging-pipe: JSON messages ended by NUL on fds 3 and 4.
async function measurePage(url, width, height, scale) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'mirella-chromium-'));
  const child = spawn(options.chromium, ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--hide-scrollbars',
    `--user-data-dir=${profile}`, '--lang=ru-RU', '--remote-debugging-pipe', 'about:blank'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
  const exited = new Promise((resolve) => child.once('exit', resolve));
  const waiting = new Map();
  let next = 0;
  let buffer = Buffer.alloc(0);
  child.stdio[4].on('data', (chunk) => {
    buffer = Buffer.concat([buffer, chunk]);
    for (let end; (end = buffer.indexOf(0)) >= 0; buffer = buffer.subarray(end + 1)) {
      const message = JSON.parse(buffer.subarray(0, end).toString('utf8'));
      waiting.get(message.id)?.(message);
      waiting.delete(message.id);
    }
  });
  const send = (method, params = {}, sessionId = undefined) => new Promise((resolve, reject) => {
    const id = ++next;
    waiting.set(id, (m) => (m.error ? reject(new Error(`${method}: ${m.error.message}`)) : resolve(m.result)));
    child.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
  });
  try {
    const { targetInfos } = await send('Target.getTargets');
    const { sessionId } = await send('Target.attachToTarget',
      { targetId: targetInfos.find((t) => t.type === 'page').targetId, flatten: true });
    await send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: scale, mobile: false }, sessionId);
    await send('Page.navigate', { url }, sessionId);
    const evaluate = async (expression) =>
      (await send('Runtime.evaluate', { expression, returnByValue: true }, sessionId)).result.value;
    for (let i = 0; i < 400 && (await evaluate('document.readyState')) !== 'complete'; i++) {
      await new Promise((resolve) => setTimeout(resolve, 25));
    }
    const shown = await evaluate(PROBE);
    // The font the page's Arial became.
    await send('DOM.enable', {}, sessionId);
    await send('CSS.enable', {}, sessionId);
    const { root } = await send('DOM.getDocument', {}, sessionId);
    const { nodeId } = await send('DOM.querySelector', { nodeId: root.nodeId, selector: 'font[size="2"]' }, sessionId);
    const { fonts } = await send('CSS.getPlatformFontsForNode', { nodeId }, sessionId);
    shown.font = fonts[0]?.familyName;
    return shown;
  } finally {
    // Browser.close lets Chromium's helper processes finish with the profile before it goes.
    await Promise.race([send('Browser.close').catch(() => {}), new Promise((r) => setTimeout(r, 5000))]);
    child.kill();
    await exited;
    for (let attempt = 0; attempt < 20; attempt++) {
      try {
        fs.rmSync(profile, { recursive: true, force: true });
        break;
      } catch {
        await new Promise((resolve) => setTimeout(resolve, 100));
      }
    }
  }
}

const checks = new Checks();
let worst = 0;

function compareBox(what, drawn, page, scale, text = false) {
  if (!page || !drawn) {
    checks.ok(false, `${what}: missing (${JSON.stringify({ drawn, page })})`);
    return;
  }
  const edges = [page[0], page[1], page[0] + page[2], page[1] + page[3]].map((v) => v * scale);
  const ours = [drawn[0], drawn[1], drawn[0] + drawn[2], drawn[1] + drawn[3]];
  const slack = text ? 0.015 * page[2] * scale : 0;
  const off = Math.max(...edges.map((v, i) => Math.max(0, Math.abs(v - ours[i]) - (i % 2 ? 0 : slack)))) / scale;
  worst = Math.max(worst, off);
  checks.ok(off <= TOLERANCE, `${what}: renderer ${JSON.stringify(ours)}, page ${JSON.stringify(edges.map((v) => +v.toFixed(2)))} (${off.toFixed(2)} CSS px apart)`);
}

fs.mkdirSync(options.work, { recursive: true });
for (const c of CASES) {
  const name = `${c.content} ${c.width}x${c.height} at ${c.dpi} dpi`;
  const folder = path.join(options.work, `${c.content}-${c.width}x${c.height}`);
  fs.rmSync(folder, { recursive: true, force: true });
  const drawn = JSON.parse(execFileSync(options.wine,
    [options.layout, c.content, folder, String(c.width), String(c.height), String(c.dpi)],
    { encoding: 'utf8', maxBuffer: 16 << 20, timeout: 120000 }));
  // The page declares no encoding; Russian Windows reads it in code page 1251.
  const page = path.join(folder, 'Themes', 'Blue Classic', 'theme.htm');
  const declared = path.join(path.dirname(page), 'theme-1251.htm');
  fs.writeFileSync(declared, Buffer.concat([Buffer.from('<html><head><meta charset="windows-1251">'),
                                            fs.readFileSync(page).subarray('<html><head>'.length)]));
  const scale = c.dpi / 96;
  const shown = await measurePage(pathToFileURL(declared).href, Math.round(c.width / scale),
                                  Math.round(c.height / scale), scale);
  checks.equal(shown.scrolls, false, `${name}: the page fits the screen`);
  checks.equal(drawn.font, 'Liberation Sans', `${name}: GDI's Arial`);
  checks.equal(shown.font, 'Liberation Sans', `${name}: Chromium's Arial`);
  compareBox(`${name}: title`, drawn.title.bounds, shown.title, scale, true);
  checks.equal(drawn.title.lines.length, shown.titleLines, `${name}: title lines`);
  compareBox(`${name}: emblem`, drawn.emblem, shown.emblem, scale);
  compareBox(`${name}: column bar`, drawn.columnBar, shown.columnBar, scale);
  drawn.columnTitles.forEach((t, i) => compareBox(`${name}: column title ${i + 1}`, t.bounds, shown.columnTitles[i], scale, true));
  compareBox(`${name}: bottom bar`, drawn.bottomBar, shown.bottomBar, scale);
  compareBox(`${name}: bar text`, drawn.barText.bounds, shown.barText, scale, true);
  checks.equal(drawn.rows.length, shown.rows.length, `${name}: rows`);
  drawn.rows.forEach((row, i) => {
    const page = shown.rows[i] ?? {};
    compareBox(`${name}: row ${i} picture`, row.picture, page.picture, scale);
    compareBox(`${name}: row ${i} caption`, row.caption.bounds, page.caption, scale, true);
    checks.equal(row.caption.lines.filter((l) => l).length, page.captionLines, `${name}: row ${i} caption lines`);
    checks.equal(row.description.lines.length, page.descriptionLines, `${name}: row ${i} description lines`);
    if (page.descriptionLines) compareBox(`${name}: row ${i} description`, row.description.bounds, page.description, scale, true);
  });
}
console.log(`largest difference beyond the kerning share: ${worst.toFixed(2)} CSS px (tolerance ${TOLERANCE})`);
checks.finish();
