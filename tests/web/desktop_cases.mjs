// The generated desktops the page checks run on: each case gets a program folder of its own
// with the shipped pictures, and the desktop.js and theme.htm the native writer makes there.

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

// Default content in a plain folder; the hard texts and the empty texts in a folder whose path
// holds spaces, an apostrophe and Cyrillic letters; the default content again in folders whose
// names a browser would read as a fragment, an escape or an entity. That folder has too few
// Cyrillic letters for Chromium to guess code page 1251 for an undeclared page (it guesses a
// Chinese one), so its page is only read as declared, as Windows reads it. The hard texts also
// get the wizard's preview, in a temporary folder of their own.
export const CASES = [
  { name: 'default', folder: 'program' },
  { name: 'adversarial', folder: "Мои программы O'Brien/Mirella", preview: 'Temp' },
  { name: 'empty', folder: "Мои программы O'Brien/Mirella" },
  { name: 'url-characters', content: 'default', folder: "C# tools/100% готово/a%20b/R&D O'Brien",
    declaredOnly: true },
];

export function parseArguments(argv) {
  const options = {};
  for (let i = 2; i + 1 < argv.length; i += 2) options[argv[i].replace(/^--/, '')] = argv[i + 1];
  for (const required of ['maker', 'pictures', 'work']) {
    if (!options[required]) throw new Error(`missing --${required}`);
  }
  return options;
}

function copyPictures(from, to) {
  for (const sub of ['icons', 'Themes/Blue Classic']) {
    fs.mkdirSync(path.join(to, sub), { recursive: true });
    for (const name of fs.readdirSync(path.join(from, sub))) {
      if (name.endsWith('.gif')) fs.copyFileSync(path.join(from, sub, name), path.join(to, sub, name));
    }
  }
}

// Makes the case's program folder and returns { name, folder, expected, preview }, preview being
// the preview page's path for a case that has one.
export function prepareCase(options, testCase) {
  const root = path.join(options.work, testCase.name);
  fs.rmSync(root, { recursive: true, force: true });
  const folder = path.join(root, testCase.folder);
  copyPictures(options.pictures, folder);
  const expectedPath = path.join(root, 'expected.json');
  const temp = testCase.preview && path.join(root, testCase.preview);
  execFileSync(options.maker, [testCase.content ?? testCase.name, folder, expectedPath, ...(temp ? [temp] : [])],
               { stdio: 'inherit' });
  return { name: testCase.name, folder, expected: JSON.parse(fs.readFileSync(expectedPath, 'utf8')),
           preview: temp && path.join(temp, 'Mirella Preview', 'preview.htm') };
}

// The HTML of one entry row as the script builds it.
export function entryRow(appath, picture, link, caption, description) {
  return `<table border='0' height='16%' cellpadding='5'><tr><td width='64' align='center'>` +
    `<img border='0' src='${appath}/icons/${picture}.gif' width='48' height='48'></td><td><u><b>` +
    `<a href='${link}'>${caption}</a><br></b></u><font size='2'>${description}</font></td></tr></table>`;
}

// A small check collector: every failed check is reported, and the process fails at the end.
export class Checks {
  constructor() { this.failures = []; this.count = 0; }
  equal(actual, expected, what) {
    this.count++;
    if (actual !== expected) {
      const show = (v) => { const s = JSON.stringify(v); return s && s.length > 300 ? s.slice(0, 300) + '…' : s; };
      this.failures.push(`${what}: got ${show(actual)}, expected ${show(expected)}`);
    }
  }
  ok(condition, what) { this.equal(Boolean(condition), true, what); }
  finish() {
    for (const failure of this.failures) console.error('FAIL ' + failure);
    console.log(`${this.count - this.failures.length} of ${this.count} checks passed`);
    process.exitCode = this.failures.length ? 1 : 0;
  }
}
