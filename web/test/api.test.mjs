// The module's own surface: fonts made by hand read back as their items
// say, errors as exceptions of the library's kinds, inputs of every form,
// and the single-file build giving the same answers.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { Font, MorluneError, loadMorlune } from '../morlune.js';
import { morlune, shapeFonts } from './support.mjs';

const open = (name) => morlune.openFont(shapeFonts.find((f) => f.name === name).bytes);

// Each record's code, name and length are held against the decompiled text
// in fonts.test.mjs; here the header, a record's bytes and the lookups.
test('header, records and codes of a font made by hand', () => {
  const font = open('handmade.kqs');
  assert.equal(font.kind, 'shapes11');
  assert.deepEqual(font.header, { present: true, height: 10, depth: 2, modes: 0 });
  assert.deepEqual(Array.from(font.records[2].data), [1, 10, 2, 0x12, 0]);
  assert.deepEqual(Array.from(font.codes()), [0x41, 0x42, 0x43, 0x44, 0x45]);
  assert.ok(font.has(0x41) && !font.has(0x46));
  assert.deepEqual(font.escapeRanges, []);
  assert.deepEqual(open('handmade_big.kqs').escapeRanges, [{ first: 0x81, last: 0x9f }]);
  assert.ok(Object.isFrozen(font.records) && font.records === font.records);
});

// Each glyph's geometry is held against morlune-draw's listing in
// fonts.test.mjs; here the fields that listing does not show.
test('an arc and a warning of a glyph, field by field', () => {
  const font = open('handmade.kqs');
  // 10,(2,012): radius 2 from octant 1 over 2 octants counterclockwise. The pen
  // stands at 45 degrees on the circle, so the centre is 2 back along it.
  const [arc] = font.glyph(0x42).paths[0].segments;
  const r = Math.SQRT2;
  const close = (a, b) => Math.abs(a - b) < 1e-12;
  assert.equal(arc.type, 'arc');
  assert.ok(close(arc.centre.x, -r) && close(arc.centre.y, -r), JSON.stringify(arc.centre));
  assert.ok(close(arc.to.x, -2 * r) && close(arc.to.y, 0), JSON.stringify(arc.to));
  assert.deepEqual([arc.axisX, arc.axisY, arc.sweep, arc.shear], [2, 2, 90, 0]);
  assert.deepEqual(font.glyph(0x41).warnings, []);
  assert.deepEqual(font.glyph(0x45).warnings, [
    { kind: 'noSuchShape', code: 0x99, count: 1, message: 'subshape 0099 is skipped: the font has no such shape' },
  ]);
});

test('refusals are MorluneErrors of the library\'s kinds', () => {
  const font = open('handmade.kqs');
  const refusals = [
    [() => morlune.openFont(new Uint8Array([1, 2, 3])), 'notAFont'],
    [() => morlune.openFont(''), 'notAFont'],
    [() => font.glyph(0x99), 'noSuchCode'],
    [() => font.glyphSvgPath(0x10000), 'noSuchCode'],
    [() => font.glyph(-1), 'badArgument'],
    [() => morlune.compile('', { variant: 'shapes12' }), 'badArgument'],
    [() => font.compileBack({ variant: 'x' }), 'badArgument'],
    [() => font.exportAs('pdf'), 'badArgument'],
  ];
  for (const [attempt, kind] of refusals) {
    assert.throws(attempt, (error) => error instanceof MorluneError && error.kind === kind && error.message !== '');
  }
  assert.throws(() => morlune.openFont(42), TypeError);
});

test('a closed font refuses every use', () => {
  const font = open('handmade.kqs');
  font.close();
  font.close();
  assert.throws(() => font.kind, { kind: 'badArgument' });
  assert.throws(() => font.glyph(0x41), { kind: 'badArgument' });
});

test('bytes in any form, and source text as a string', () => {
  const bytes = shapeFonts.find((f) => f.name === 'strokes_shapes11.kqx').bytes;
  const copy = new Uint8Array(bytes);
  const forms = [copy, copy.buffer, new DataView(copy.buffer), Buffer.from(copy)];
  for (const form of forms) assert.equal(morlune.openFont(form).listing(), morlune.openFont(bytes).listing());
  const source = open('strokes_shapes11.kqx').decompile();
  assert.deepEqual(morlune.openFont(source, { dropDefaultNames: true }).compiled, morlune.openFont(bytes).compiled);
  assert.ok(morlune.openFont(bytes) instanceof Font);
});

test('the single-file build gives the same answers', async () => {
  const single = await import('../single.js');
  const other = await single.loadMorlune();
  assert.notEqual(other, morlune);
  const bytes = shapeFonts.find((f) => f.name === 'handmade.kqs').bytes;
  assert.equal(other.openFont(bytes).listing(), morlune.openFont(bytes).listing());
  assert.equal(await loadMorlune(), morlune);
});
