// The module's own surface: fonts made by hand read back as their items
// say, errors as exceptions of the library's kinds, inputs of every form,
// and the single-file build giving the same answers.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { Font, MorluneError, loadMorlune } from '../morlune.js';
import { morlune, shapeFonts } from './support.mjs';

const open = (name) => morlune.openFont(shapeFonts.find((f) => f.name === name).bytes);
const ends = (glyph) => glyph.paths.map((p) => p.segments.map((s) => [s.type, s.from.x, s.from.y, s.to.x, s.to.y]));

test('records, header and names of a font made by hand', () => {
  const font = open('handmade.kqs');
  assert.equal(font.kind, 'shapes11');
  assert.deepEqual(font.header, { present: true, height: 10, depth: 2, modes: 0 });
  assert.deepEqual(
    font.records.map((r) => [r.code, new TextDecoder().decode(r.name), r.data.length]),
    [
      [0, 'Handmade', 4],
      [0x41, 'uca', 22],
      [0x42, 'arc', 5],
      [0x43, 'sub', 3],
      [0x44, 'half', 5],
      [0x45, 'lost', 3],
    ],
  );
  assert.deepEqual(Array.from(font.records[2].data), [1, 10, 2, 0x12, 0]);
  assert.deepEqual(Array.from(font.codes()), [0x41, 0x42, 0x43, 0x44, 0x45]);
  assert.ok(font.has(0x41) && !font.has(0x46));
  assert.deepEqual(font.escapeRanges, []);
  assert.deepEqual(open('handmade_big.kqs').escapeRanges, [{ first: 0x81, last: 0x9f }]);
  assert.ok(Object.isFrozen(font.records) && font.records === font.records);
});

test('glyphs of a font made by hand, worked out from their items', () => {
  const font = open('handmade.kqs');
  // Up to (1,0), down to (4,10) and (7,0); up by (-5,4), then 040: 4 units at 0 degrees.
  const a = font.glyph(0x41);
  assert.deepEqual(a.advance, { x: 10, y: 0 });
  assert.deepEqual(ends(a), [
    [
      ['line', 1, 0, 4, 10],
      ['line', 4, 10, 7, 0],
    ],
    [['line', 2, 4, 6, 4]],
  ]);
  assert.deepEqual(a.warnings, []);
  // A subshape draws A whole; 3,2 halves the vector after it.
  assert.deepEqual(ends(font.glyph(0x43)), ends(a));
  assert.deepEqual(ends(font.glyph(0x44)), [[['line', 0, 0, 2, 0]]]);
  // 10,(2,012): radius 2 from octant 1 over 2 octants counterclockwise. The pen
  // stands at 45 degrees on the circle, so the centre is 2 back along it.
  const [arc] = font.glyph(0x42).paths[0].segments;
  const r = Math.SQRT2;
  const close = (a, b) => Math.abs(a - b) < 1e-12;
  assert.equal(arc.type, 'arc');
  assert.ok(close(arc.centre.x, -r) && close(arc.centre.y, -r), JSON.stringify(arc.centre));
  assert.ok(close(arc.to.x, -2 * r) && close(arc.to.y, 0), JSON.stringify(arc.to));
  assert.deepEqual([arc.axisX, arc.axisY, arc.sweep, arc.shear], [2, 2, 90, 0]);
  assert.deepEqual(font.glyph(0x45).warnings, [
    { kind: 'noSuchShape', code: 0x99, count: 1, message: 'subshape 0099 is skipped: the font has no such shape' },
  ]);
  assert.equal(font.glyphSvgPath(0x41), 'M 1 0 L 4 10 L 7 0 M 2 4 L 6 4');
});

test('a bulge arc, a pushed pen and a multiplied vector of a unifont made by hand', () => {
  const font = open('handmade_uni.kqs');
  assert.deepEqual(ends(font.glyph(0x41)), [[['line', 0, 0, 6, 0]]]);
  // From (0,3) by (4,0) with bulge 127: a half circle about (2,3), counterclockwise.
  const [arc] = font.glyph(0xe9).paths[0].segments;
  assert.deepEqual([arc.from, arc.to, arc.centre, arc.sweep], [{ x: 0, y: 3 }, { x: 4, y: 3 }, { x: 2, y: 3 }, 180]);
  // The polyline returns to (0,0), where the pen was pushed; the move after the pop starts there.
  const pushed = font.glyph(0x416);
  assert.deepEqual(pushed.advance, { x: 3, y: 0 });
  assert.equal(pushed.paths.length, 1);
  assert.deepEqual(pushed.paths[0].segments.at(-1).to, { x: 0, y: 0 });
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
