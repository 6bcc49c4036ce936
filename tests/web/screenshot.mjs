// Takes the picture of the default desktop shown in the README: the page the writers make for
// the default content, read in code page 1251 as Russian Windows reads it.
//
// node screenshot.mjs --maker <mirella_make_desktop> --pictures <build>/program --work <dir>
//                     --chromium /usr/bin/chromium --out docs/desktop.png

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { CASES, parseArguments, prepareCase } from './desktop_cases.mjs';

const options = parseArguments(process.argv);
const { folder } = prepareCase(options, CASES.find((c) => c.name === 'default'));
const page = path.join(folder, 'Themes', 'Blue Classic', 'theme.htm');
const copy = path.join(path.dirname(page), 'theme-1251.htm');
const head = Buffer.from('<html><head>');
const bytes = fs.readFileSync(page);
fs.writeFileSync(copy, Buffer.concat([head, Buffer.from('<meta charset="windows-1251">'), bytes.subarray(head.length)]));

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'mirella-chromium-'));
try {
  execFileSync(options.chromium, ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic',
    '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync',
    `--user-data-dir=${profile}`, '--lang=ru-RU', '--hide-scrollbars', '--window-size=1024,768',
    `--screenshot=${path.resolve(options.out)}`, pathToFileURL(copy).href], { stdio: 'ignore', timeout: 60000 });
} finally {
  fs.rmSync(profile, { recursive: true, force: true });
}
console.log(`wrote ${options.out}`);
