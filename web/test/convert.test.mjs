// Fonts carried to and from the interchange formats by the module as
// morlune-convert carries them: the same files, the same losses, the same
// imports.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { MorluneError } from '../morlune.js';
import { compiledPath, interchangeFonts, messages, morlune, native, run, scratch, scratchFile, shapeFonts } from './support.mjs';

const lossPrefix = (format) => `lost on the way to ${format}: `;

for (const font of shapeFonts.filter((f) => !f.name.startsWith('cut_index'))) {
  test(`${font.name}: exported as morlune-convert exports it`, native, () => {
    const opened = morlune.openFont(font.bytes);
    const input = compiledPath(font, opened);
    for (const format of ['svg', 'jhf', 'lff']) {
      const tool = run('morlune-convert', [input, `out.${format}`]);
      const told = messages(tool.stderr, 'morlune-convert').map((m) => m.slice(m.indexOf(': ') + 2));
      if (opened.kind === 'bigfont') {
        // A bigfont's two-byte codes stand for characters only through a code page.
        assert.equal(tool.status, 2);
        assert.throws(() => opened.exportAs(format), { name: 'MorluneError', kind: 'encoding' });
        continue;
      }
      assert.equal(tool.status, 0, tool.stderr);
      const ours = opened.exportAs(format, { name: 'out' });
      assert.deepEqual(ours.bytes, new Uint8Array(readFileSync(join(scratch, `out.${format}`))), format);
      assert.deepEqual(
        ours.losses.map((line) => lossPrefix(format) + line),
        told.filter((m) => m.startsWith(lossPrefix(format))),
      );
      if (ours.losses.length > 0) {
        assert.throws(() => opened.exportAs(format, { strict: true }), { kind: 'lossy' });
      }
    }
    assert.deepEqual(opened.exportAs('kqx').bytes, opened.compiled);
    assert.deepEqual(opened.exportAs('kqs').bytes, opened.decompileBytes());
  });
}

test('a font cut inside its index is refused as morlune-convert refuses it', native, () => {
  const font = shapeFonts.find((f) => f.name === 'cut_index.kqx');
  const opened = morlune.openFont(font.bytes);
  for (const format of ['svg', 'jhf', 'lff']) {
    const tool = run('morlune-convert', [font.path, `out.${format}`]);
    assert.notEqual(tool.status, 0);
    const [told] = messages(tool.stderr, 'morlune-convert').map((m) => m.slice(m.indexOf(': ') + 2));
    assert.throws(() => opened.exportAs(format), { name: 'MorluneError', kind: 'unreadable', message: told });
  }
});

test('a bigfont exports through a code page', native, () => {
  const font = shapeFonts.find((f) => f.name === 'handmade_big.kqs');
  const opened = morlune.openFont(font.bytes);
  const tool = run('morlune-convert', ['--encoding', 'SHIFT_JIS', compiledPath(font, opened), 'big.svg']);
  assert.equal(tool.status, 0, tool.stderr);
  const ours = opened.exportAs('svg', { name: 'big', encoding: 'SHIFT_JIS' });
  assert.deepEqual(ours.bytes, new Uint8Array(readFileSync(join(scratch, 'big.svg'))));
  assert.match(ours.text, /unicode="&#x3042;"/);
});

// A unifont whose LFF passes a megabyte, where morlune-convert's glyphs
// wait in a scratch file for the header: the module has no files, and holds
// them all.
test('an export past a megabyte is written whole', native, () => {
  let source = '*UNIFONT,6,Large\n10,2,0,0,0,0\n';
  for (let i = 0; i < 6000; i++) {
    const moves = Array.from({ length: 50 }, (_, j) => `8,(${1 + ((i + j) % 5)},${((j * 7 + i) % 9) - 4})`);
    source += `*${(0x4e00 + i).toString(16).toUpperCase().padStart(5, '0')},152,g${i}\n1,${moves.join(',')},0\n`;
  }
  const opened = morlune.openFont(new TextEncoder().encode(source));
  const tool = run('morlune-convert', [scratchFile('large.kqx', opened.compiled), 'large.lff']);
  assert.equal(tool.status, 0, tool.stderr);
  const ours = opened.exportAs('lff', { name: 'large' });
  assert.ok(ours.bytes.length > 1 << 20, `${ours.bytes.length} bytes`);
  assert.deepEqual(ours.bytes, new Uint8Array(readFileSync(join(scratch, 'large.lff'))));
});

// The import's report line: "N glyphs, U units per capital height, largest
// error E (tolerance T), compiled size B bytes".
function reportOf(stderr) {
  const line = messages(stderr, 'morlune-convert').find((m) => m.includes('units per capital height'));
  const pattern = /(\d+) glyphs?, (\d+) units? .*, largest error (\S+) .* compiled size (\d+) byte/;
  const [, glyphs, units, error, size] = line.match(pattern);
  return { glyphs: Number(glyphs), units: Number(units), error: Number(error), size: Number(size) };
}

const importCases = [
  [{}, []],
  [{ heightUnits: 42 }, ['--height-units', '42']],
  [{ tolerance: '0.5%' }, ['--tolerance', '0.5%']],
  [{ tolerance: 0.25, variant: 'unifont' }, ['--tolerance', '0.25', '--variant', 'unifont']],
];

for (const font of interchangeFonts) {
  test(`${font.name}: imported as morlune-convert imports it`, native, () => {
    for (const [options, args] of importCases) {
      const attempt = () => morlune.openFont(font.bytes, { fileName: font.name, ...options });
      for (const format of ['kqs', 'kqx']) {
        const tool = run('morlune-convert', [...args, font.path, `in.${format}`]);
        if (tool.status !== 0) {
          // Refused alike, in the same words.
          assert.throws(attempt, (error) => tool.stderr.includes(`: ${error.message}\n`));
          continue;
        }
        const opened = attempt();
        assert.deepEqual(opened.exportAs(format).bytes, new Uint8Array(readFileSync(join(scratch, `in.${format}`))));
        const report = reportOf(tool.stderr);
        assert.equal(opened.imported.glyphs, report.glyphs);
        assert.equal(opened.imported.heightUnits, report.units);
        // The tool prints four significant digits.
        assert.ok(Math.abs(opened.imported.largestError - report.error) <= 5e-4 * report.error, `${report.error}`);
        assert.equal(opened.compiled.length, report.size);
      }
    }
  });

  test(`${font.name}: recognised without a name`, () => {
    const format = font.name.split('.').pop();
    assert.equal(morlune.openFont(font.bytes).imported.format, format);
  });
}

test('bad import options and unreadable interchange files are refused', () => {
  const jhf = interchangeFonts.find((f) => f.name === 'handmade.jhf').bytes;
  const refusals = [
    [() => morlune.importFont(jhf, { format: 'jhf', heightUnits: 256 }), 'badArgument'],
    [() => morlune.importFont(jhf, { format: 'jhf', tolerance: '-1%' }), 'badArgument'],
    [() => morlune.importFont(jhf, { format: 'jhf', variant: 'shapes10' }), 'badArgument'],
    [() => morlune.importFont(jhf, { format: 'kqx' }), 'badArgument'],
    [() => morlune.importFont('<svg><defs>', { format: 'svg' }), 'notAFont'],
    [() => morlune.importFont('    1  9JZ', { format: 'jhf' }), 'notAFont'],
    [() => morlune.openFont(jhf, { format: 'pdf' }), 'badArgument'],
  ];
  for (const [attempt, kind] of refusals) {
    assert.throws(attempt, (error) => error instanceof MorluneError && error.kind === kind);
  }
});
