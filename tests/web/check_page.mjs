// Headless Chromium renders each generated desktop from file URLs and the test checks what it
// shows: titles, the twelve rows with their captions, descriptions, links and pictures, the
// settings row, the bar text, and that every picture, the theme's included, has loaded.
//
// The page declares no encoding, and Chromium reads it (and so its script) as windows-1252;
// Windows reads both in the system's ANSI code page. The text checks therefore load a copy of
// the page that declares windows-1251; the page itself is checked for its frame and pictures.

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { CASES, Checks, parseArguments, prepareCase } from './desktop_cases.mjs';

const options = parseArguments(process.argv);
const checks = new Checks();

// Runs in the page after everything has loaded, and leaves what the page shows, as base64 JSON,
// in an element of its own for --dump-dom to carry out.
const PROBE = `<script>
(function () {
  var themeUrls = [document.body.getAttribute('background')];
  document.querySelectorAll('td[background]').forEach(function (td) { themeUrls.push(td.getAttribute('background')); });
  var holder = document.createElement('div');
  holder.style.display = 'none';
  themeUrls.forEach(function (url) { var img = new Image(); img.src = url; holder.appendChild(img); });
  document.body.appendChild(holder);
  addEventListener('load', function () {
    function shown(element) {
      if (!element) return null;
      return Array.prototype.filter.call(element.childNodes, function (n) { return n.nodeName !== 'SCRIPT'; })
          .map(function (n) { return n.textContent; }).join('');
    }
    function loaded(img) { return img.complete && img.naturalWidth > 0; }
    var bars = document.querySelectorAll('font[color="#FFFFFF"] > b');
    var columns = Array.prototype.map.call(document.querySelectorAll('td[valign="top"]'), function (td) {
      return Array.prototype.map.call(td.querySelectorAll('table'), function (row) {
        var img = row.querySelector('img'), a = row.querySelector('a'), font = row.querySelector('font[size="2"]');
        return { src: img && img.getAttribute('src'), loaded: !!img && loaded(img),
                 caption: a && a.textContent, href: a && a.getAttribute('href'), description: font && font.textContent };
      });
    });
    var result = {
      title: shown(document.querySelector('font[size="6"] > b')),
      column1: shown(bars[0]), column2: shown(bars[1]), bar: shown(bars[2]),
      columns: columns,
      themePictures: Array.prototype.map.call(holder.children, function (img) { return { src: img.src, loaded: loaded(img) }; }),
      emblem: (function (img) { return img ? { loaded: loaded(img), href: img.parentNode.getAttribute('href') } : null; })(document.querySelector('img[width="345"]'))
    };
    var out = document.createElement('pre');
    out.id = 'mirella-probe';
    out.textContent = btoa(unescape(encodeURIComponent(JSON.stringify(result))));
    document.body.appendChild(out);
  });
})();
</script>`;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'mirella-chromium-'));
const chromiumFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  `--user-data-dir=${profile}`, '--lang=ru-RU'];

function render(file) {
  const dom = execFileSync(options.chromium, [...chromiumFlags, '--dump-dom', pathToFileURL(file).href],
                           { encoding: 'utf8', maxBuffer: 64 << 20, stdio: ['ignore', 'pipe', 'ignore'], timeout: 60000 });
  const match = /<pre id="mirella-probe">([A-Za-z0-9+/=]*)<\/pre>/.exec(dom);
  if (!match) throw new Error(`no probe result from ${file}`);
  return JSON.parse(Buffer.from(match[1], 'base64').toString('utf8'));
}

// A copy of the page beside it with the probe at its end and, when asked, a declared encoding.
function probedCopy(page, name, declare) {
  let bytes = fs.readFileSync(page);
  if (declare) {
    const head = Buffer.from('<html><head>');
    bytes = Buffer.concat([head, Buffer.from('<meta charset="windows-1251">'), bytes.subarray(head.length)]);
  }
  const copy = path.join(path.dirname(page), name);
  fs.writeFileSync(copy, Buffer.concat([bytes, Buffer.from(PROBE)]));
  return copy;
}

// What a text looks like on the page: HTML tags in it act as tags, and line breaks read as LF.
function visible(text) {
  return text.replace(/\r\n?/g, '\n').replace(/<\/?[A-Za-z][^>]*>/g, '');
}

function checkFrame(name, shown, expected) {
  checks.equal(shown.columns.length, 2, `${name}: two icon columns`);
  checks.equal(shown.columns[0]?.length, 6, `${name}: six rows in column 1`);
  checks.equal(shown.columns[1]?.length, 6, `${name}: six rows in column 2`);
  const rows = [...(shown.columns[0] ?? []), ...(shown.columns[1] ?? [])];
  rows.forEach((row, i) => checks.ok(row.loaded, `${name}: picture of row ${i} loaded (${row.src})`));
  checks.equal(shown.themePictures.length, 3, `${name}: background, column bar and bottom bar pictures`);
  shown.themePictures.forEach((p) => checks.ok(p.loaded, `${name}: theme picture ${p.src} loaded`));
  checks.ok(shown.emblem?.loaded, `${name}: emblem loaded`);
  checks.equal(shown.emblem?.href, 'https://mirella-desktop.ru/', `${name}: emblem links to the maker`);
  const settings = shown.columns[0]?.[5];
  checks.equal(settings?.href, `${expected.appath}/desktop.exe`, `${name}: settings row link`);
  checks.equal(settings?.src, `${expected.appath}/icons/6.gif`, `${name}: settings row picture`);
}

function checkTexts(name, shown, expected) {
  checks.equal(shown.title, visible(expected.title), `${name}: title`);
  checks.equal(shown.column1, visible(expected.column1), `${name}: column 1 title`);
  checks.equal(shown.column2, visible(expected.column2), `${name}: column 2 title`);
  checks.equal(shown.bar, visible(expected.bar), `${name}: bar text`);
  const rows = [...(shown.columns[0] ?? []).slice(0, 5), ...(shown.columns[1] ?? [])];
  for (let i = 0; i < 11; i++) {
    checks.equal(rows[i]?.caption, visible(expected.captions[i]), `${name}: caption ${i}`);
    checks.equal(rows[i]?.description, visible(expected.descriptions[i]), `${name}: description ${i}`);
    checks.equal(rows[i]?.href, expected.links[i], `${name}: link ${i}`);
    checks.equal(rows[i]?.src, `${expected.appath}/icons/${expected.pictures[i]}.gif`, `${name}: picture ${i}`);
  }
  const settings = shown.columns[0]?.[5];
  checks.equal(settings?.caption, 'Настроить Mirella', `${name}: settings row caption`);
  checks.equal(settings?.description, 'Вы можете изменить настройки Рабочего стола с помощью Mirella.',
               `${name}: settings row description`);
}

try {
  for (const testCase of CASES) {
    const { name, folder, expected, preview } = prepareCase(options, testCase);
    const page = path.join(folder, 'Themes', 'Blue Classic', 'theme.htm');
    // The page exactly as written (Apply copies these bytes to Desktop.htt): frame and pictures.
    if (!testCase.declaredOnly) {
      checkFrame(`${name} as written`, render(probedCopy(page, 'theme-probed.htm', false)), expected);
    }
    // Read in code page 1251, as Russian Windows reads it: every text as typed.
    const shown = render(probedCopy(page, 'theme-1251.htm', true));
    checkFrame(name, shown, expected);
    checkTexts(name, shown, expected);
    // The preview declares UTF-8 and carries Internet Explorer's Mark of the Web ahead of the
    // page: its own script still runs, with every text as typed.
    if (preview) {
      const previewShown = render(probedCopy(preview, 'preview-probed.htm', false));
      checkFrame(`${name} preview`, previewShown, expected);
      checkTexts(`${name} preview`, previewShown, expected);
    }
  }
} finally {
  fs.rmSync(profile, { recursive: true, force: true });
}
checks.finish();
