// Fonts checked by the module as morlune-check checks them: the same
// findings, the same lines and the same JSON document.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { MorluneError } from '../morlune.js';
import { fontsDir, morlune, native, run, scratchFile, shapeFonts, text } from './support.mjs';

const charactersFile = scratchFile('characters.txt', 'AEIOU ÄÖÜ\n');
const optionCases = [
  [{}, []],
  [{ failOn: 'WARN' }, ['--fail-on', 'WARN']],
  [{ coverage: 'U+0041-005A' }, ['--coverage', 'U+0041-005A']],
  [{ coverage: 'CP1252' }, ['--coverage', 'CP1252']],
  [{ coverage: 'KOI8-R', encoding: 'KOI8-R' }, ['--coverage', 'KOI8-R', '--encoding', 'KOI8-R']],
  [{ coverage: { text: 'AEIOU ÄÖÜ\n', label: charactersFile } }, ['--coverage', charactersFile]],
];

for (const font of [...shapeFonts, { name: 'errors.kqs', path: `${fontsDir}errors.kqs` }]) {
  test(`${font.name}: checked as morlune-check checks it`, native, async () => {
    const { readFileSync } = await import('node:fs');
    const bytes = readFileSync(font.path);
    for (const [options, args] of optionCases) {
      const report = morlune.check(bytes, { label: font.path, ...options });
      const lines = run('morlune-check', [...args, font.path]);
      assert.equal(report.lines, text(lines.stdout), args.join(' '));
      assert.equal(report.failed, lines.status === 1);
      const json = run('morlune-check', ['--json', ...args, font.path]);
      assert.equal(report.json, text(json.stdout), args.join(' '));
      const document = JSON.parse(report.json).fonts[0];
      assert.deepEqual(
        report.findings.map((f) => [f.id, f.severity, f.text]),
        document.findings.map((f) => [f.id, f.severity, f.text]),
      );
    }
  });
}

test('a source text with errors is checked as one, at its lines', () => {
  const report = morlune.check(`*0,4,x\n6,2,0,0\n\n*00041,4,a\n1,040,0\n`, { label: 'x.kqs' });
  assert.equal(report.fromSource, true);
  assert.equal(report.variant, null);
  assert.deepEqual(
    report.findings.map((f) => [f.severity, f.line, f.column, f.code]),
    [['FAIL', 4, 8, null]],
  );
  assert.equal(report.failed, true);
});

test('coverage lists the characters lacked as ranges', () => {
  const font = shapeFonts.find((f) => f.name === 'handmade.kqs');
  const report = morlune.check(font.bytes, { coverage: 'U+0040-0047' });
  const finding = report.findings.find((f) => f.id === 'coverage-missing');
  // The font has A to E: @ and F, G are lacking.
  assert.deepEqual(finding.missing, [
    { first: 0x40, last: 0x40 },
    { first: 0x46, last: 0x47 },
  ]);
});

test('unknown code pages and levels are refused', () => {
  const bytes = shapeFonts[0].bytes;
  for (const [options, kind] of [
    [{ encoding: 'NO-SUCH-PAGE' }, 'encoding'],
    [{ coverage: 'NO-SUCH-PAGE' }, 'encoding'],
    [{ coverage: 'U+ZZ' }, 'badArgument'],
    [{ failOn: 'LOUD' }, 'badArgument'],
  ]) {
    assert.throws(() => morlune.check(bytes, options), (e) => e instanceof MorluneError && e.kind === kind);
  }
});

// The double-byte pages, which the module takes from its host where its
// own C library has none, cover what the native tool's cover.
test('coverage of double-byte code pages as the native tool counts it', native, () => {
  const font = shapeFonts.find((f) => f.name === 'handmade_big.kqs');
  for (const page of ['CP936', 'CP950', 'GBK']) {
    const report = morlune.check(font.bytes, { label: font.path, coverage: page, encoding: page });
    assert.equal(report.json, text(run('morlune-check', ['--json', '--coverage', page, '--encoding', page, font.path]).stdout));
  }
});
