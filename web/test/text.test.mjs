// Text set in a style by the module: each character as morlune-draw lists
// it, and lines whose places, bounds and shear are worked out by hand.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { MorluneError } from '../morlune.js';
import { compiledPath, morlune, native, run, shapeFonts, text } from './support.mjs';

const fontNamed = (name) => shapeFonts.find((f) => f.name === name);
const open = (name) => morlune.openFont(fontNamed(name).bytes);

const styles = [
  [{}, []],
  [{ widthFactor: 2 }, ['--width-factor', '2']],
  [{ oblique: -20, widthFactor: 0.5 }, ['--oblique', '-20', '--width-factor', '0.5']],
];

// morlune-draw --list --text lists each character about its own origin in
// font units: the layout of one character at the font's own height.
for (const name of ['strokes_shapes11.kqx', 'strokes_unifont.kqx', 'handmade.kqs', 'handmade_uni.kqs']) {
  test(`${name}: each character set as morlune-draw lists it`, native, () => {
    const font = open(name);
    const path = compiledPath(fontNamed(name), font);
    for (const [style, args] of styles) {
      for (const character of ['A', 'O', '2', 'é', 'Ж', 'B']) {
        const tool = run('morlune-draw', ['--list', '--text', character, ...args, path]);
        const line = text(tool.stdout).split('\n')[0];
        const layout = morlune.layoutText(character, { font, height: font.height, ...style });
        if (line === '') {
          assert.equal(layout.missing, character);
          continue;
        }
        const [, advance, pathData] = line.split('\t');
        assert.equal(layout.svgPath, pathData, `${character} ${args}`);
        const [x, y] = advance.split(',').map(Number);
        assert.ok(Math.abs(layout.advance.x - x) < 5e-7 && Math.abs(layout.advance.y - y) < 5e-7, advance);
      }
    }
  });
}

test('a bigfont\'s two-byte codes join a font through a code page', native, () => {
  const font = open('handmade.kqs');
  const big = fontNamed('handmade_big.kqs');
  const bigfont = morlune.openFont(big.bytes);
  // Shift_JIS from the C library, its Windows form CP932 from the host.
  const layout = morlune.layoutText('Aあ', { font, bigfont, height: 10, encoding: 'SHIFT_JIS' });
  assert.deepEqual(morlune.layoutText('Aあ', { font, bigfont, height: 10, encoding: 'CP932' }), layout);
  assert.deepEqual(
    layout.glyphs.map((g) => [g.code, g.fromBigfont, g.origin.x]),
    [
      [0x41, false, 0],
      [0x82a0, true, 10],
    ],
  );
  const tool = run('morlune-draw', [
    '--list', '--text', 'Aあ', '--encoding', 'SHIFT_JIS', '--bigfont', compiledPath(big, bigfont), compiledPath(fontNamed('handmade.kqs'), font),
  ]);
  // The bigfont's 8 units to the font's 10: its line from (0,0) to (3,3) ends at 3.75.
  assert.equal(text(tool.stdout).split('\n')[1], '82A0\t3.75,3.75\tM 0 0 L 3.75 3.75');
  assert.deepEqual(layout.paths.at(-1).segments[0].to, { x: 13.75, y: 3.75 });
});

test('a line set by hand: places, advance, bounds, missing characters', () => {
  const font = open('handmade.kqs');
  // At height 5 the font's 10 units are halved: A is 10 wide, D 2.
  const layout = morlune.layoutText('AZD', { font, height: 5 });
  assert.deepEqual(
    layout.glyphs.map((g) => [g.code, g.origin]),
    [
      [0x41, { x: 0, y: 0 }],
      [0x44, { x: 5, y: 0 }],
    ],
  );
  assert.deepEqual(layout.advance, { x: 6, y: 0 });
  // A's strokes reach from (0.5, 0) to (3.5, 5); D draws from (5, 0) to (6, 0).
  assert.deepEqual(layout.bounds, { minX: 0.5, minY: 0, maxX: 6, maxY: 5 });
  assert.equal(layout.missing, 'Z');
  // Slanted 45 degrees, a point moves right by its height.
  const slanted = morlune.layoutText('A', { font, height: 10, oblique: 45 });
  const apex = slanted.paths[0].segments[0].to;
  assert.ok(Math.abs(apex.x - 14) < 1e-12 && apex.y === 10);
  // An arc keeps the slant as its shear.
  const arc = morlune.layoutText('B', { font, height: 10, oblique: 45 }).paths[0].segments[0];
  assert.ok(arc.type === 'arc' && Math.abs(arc.shear - 1) < 1e-12);
  assert.equal(morlune.layoutText('', { font }).bounds, null);
});

test('styles out of range are refused', () => {
  const font = open('handmade.kqs');
  for (const style of [{ height: 0 }, { widthFactor: 0 }, { oblique: 90 }, { encoding: 'NO-SUCH-PAGE' }]) {
    assert.throws(() => morlune.layoutText('A', { font, ...style }), MorluneError, JSON.stringify(style));
  }
  assert.throws(() => morlune.layoutText('A', {}), TypeError);
});
