// Node reads every generated desktop.js as the page would: parses it, runs it, and checks that
// each GetCode section writes exactly the content that was typed.

import fs from 'node:fs';
import path from 'node:path';
import vm from 'node:vm';

import { CASES, Checks, entryRow, parseArguments, prepareCase } from './desktop_cases.mjs';

const options = parseArguments(process.argv);
const checks = new Checks();

for (const testCase of CASES) {
  const { name, folder, expected } = prepareCase(options, testCase);
  const bytes = fs.readFileSync(path.join(folder, 'desktop.js'));
  const source = new TextDecoder('windows-1251').decode(bytes);

  checks.equal(source.split('\r\n').length - 1, 87, `${name}: line count`);
  checks.ok(bytes.includes(Buffer.from('\r\n\r\r\nfunction GetCode')), `${name}: line 10 is 0D 0D 0A`);
  try {
    new Function(source);
    checks.ok(true, `${name}: parses`);
  } catch (error) {
    checks.ok(false, `${name}: parses (${error.message})`);
    continue;
  }

  let written = [];
  const page = vm.createContext({ document: { write: (text) => written.push(String(text)) } });
  vm.runInContext(source, page);
  const call = (section) => { written = []; page.GetCode(section); return written; };

  checks.equal(page.desktoptitle, expected.title, `${name}: desktoptitle`);
  checks.equal(page.desktopcol1, expected.column1, `${name}: desktopcol1`);
  checks.equal(page.desktopcol2, expected.column2, `${name}: desktopcol2`);
  checks.equal(page.appath, expected.appath, `${name}: appath`);
  checks.equal(JSON.stringify(call('title.desktop')), JSON.stringify([expected.title]), `${name}: title.desktop`);
  checks.equal(JSON.stringify(call('title.column1')), JSON.stringify([expected.column1]), `${name}: title.column1`);
  checks.equal(JSON.stringify(call('title.column2')), JSON.stringify([expected.column2]), `${name}: title.column2`);
  checks.equal(JSON.stringify(call('title.bar')), JSON.stringify([expected.bar]), `${name}: title.bar`);
  checks.equal(call('no such section').length, 0, `${name}: unknown section writes nothing`);

  const rowOf = (i) => entryRow(expected.appath, expected.pictures[i], expected.links[i],
                                expected.captions[i], expected.descriptions[i]);
  const column1 = call('column1.icons');
  checks.equal(column1.length, 6, `${name}: column 1 rows`);
  for (let i = 0; i < 5; i++) checks.equal(column1[i], rowOf(i), `${name}: entry ${i}`);
  checks.ok(column1[5]?.includes(`<a href='${expected.appath}/desktop.exe'>Настроить Mirella</a>`),
            `${name}: settings row`);
  const column2 = call('column2.icons');
  checks.equal(column2.length, 6, `${name}: column 2 rows`);
  for (let i = 5; i < 11; i++) checks.equal(column2[i - 5], rowOf(i), `${name}: entry ${i}`);
  for (let i = 0; i < 11; i++) {
    checks.equal(page.caption[i], expected.captions[i], `${name}: caption[${i}]`);
    checks.equal(page.desc[i], expected.descriptions[i], `${name}: desc[${i}]`);
    checks.equal(page.link[i], expected.links[i], `${name}: link[${i}]`);
    checks.equal(page.icons[i], String(expected.pictures[i]), `${name}: icons[${i}]`);
  }
}
checks.finish();
