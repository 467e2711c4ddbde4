// Every font opened by the module reads as the native tools read it: the
// decompiled text, the records, the listing and each glyph's geometry.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { compiledPath, messages, native, openShapeFont, run, shapeFonts, text } from './support.mjs';

// A record's header line in the decompiled text: *CODE,COUNT,NAME (the
// unifont's header record *UNIFONT,COUNT,NAME).
function headerLines(decompiled) {
  return text(decompiled)
    .split('\n')
    .filter((line) => line.startsWith('*') && !line.startsWith('*BIGFONT'))
    .map((line) => {
      const [code, count, ...name] = line.slice(1).split(',');
      return { code: code === 'UNIFONT' ? 0 : parseInt(code, 16), count: Number(count), name: name.join(',') };
    });
}

// Path data of the listing as numbers: [command, ...numbers] each.
function commands(pathData) {
  const words = pathData.split(' ').filter(Boolean);
  const list = [];
  for (let i = 0; i < words.length; ) {
    const size = words[i] === 'A' ? 7 : 2;
    list.push([words[i], ...words.slice(i + 1, i + 1 + size).map(Number)]);
    i += 1 + size;
  }
  return list;
}

// The listing rounds to six decimals.
function near(actual, listed, what) {
  assert.ok(Math.abs(actual - listed) <= 5e-7 * Math.max(1, Math.abs(listed)), `${what}: ${actual} vs ${listed}`);
}

for (const font of shapeFonts) {
  test(`${font.name}: decompiled text and notices as morlune writes them`, native, () => {
    const opened = openShapeFont(font);
    const path = compiledPath(font, opened);
    for (const [options, args] of [
      [{}, []],
      [{ decimal: true }, ['-d']],
      [{ escaped: true }, ['-e']],
    ]) {
      const tool = run('morlune', [...args, path]);
      assert.deepEqual(opened.decompileBytes(options), tool.stdout, args.join(' '));
      // The tool ends each notice with a full stop.
      const notices = opened.decompileNotices(options).map((notice) => `${notice}.`);
      assert.deepEqual(notices, messages(tool.stderr, 'morlune'));
    }
  });

  test(`${font.name}: records as the decompiler walks them`, native, () => {
    const opened = openShapeFont(font);
    const headers = headerLines(run('morlune', [compiledPath(font, opened)]).stdout);
    const records = opened.records;
    assert.equal(records.length, headers.length);
    records.forEach((record, i) => {
      assert.equal(record.code, headers[i].code);
      // A record cut short holds what the file has of its declared bytes.
      if (font.name.startsWith('cut_')) assert.ok(record.data.length <= headers[i].count);
      else assert.equal(record.data.length, headers[i].count);
      const shown = record.name.length > 0 ? text(record.name) : (record.defaultName ?? '');
      assert.equal(shown, headers[i].name);
    });
    assert.equal(opened.size, records.length);
  });

  test(`${font.name}: listing, path data and geometry as morlune-draw lists them`, native, () => {
    const opened = openShapeFont(font);
    const tool = run('morlune-draw', ['--list', compiledPath(font, opened)]);
    assert.equal(opened.listing(), text(tool.stdout));
    const seen = new Set();
    for (const line of text(tool.stdout).split('\n').filter(Boolean)) {
      const [hex, advance, pathData] = line.split('\t');
      const code = parseInt(hex, 16);
      if (seen.has(code)) continue;  // the first record of a code is the glyph
      seen.add(code);
      assert.equal(opened.glyphSvgPath(code), pathData);
      const glyph = opened.glyph(code);
      const [ax, ay] = advance.split(',').map(Number);
      near(glyph.advance.x, ax, `${hex} advance x`);
      near(glyph.advance.y, ay, `${hex} advance y`);
      const listed = commands(pathData);
      let k = 0;
      for (const path of glyph.paths) {
        for (const [index, segment] of path.segments.entries()) {
          if (index === 0 || listed[k][0] === 'M') {
            assert.equal(listed[k][0], 'M');
            near(segment.from.x, listed[k][1], `${hex} move x`);
            near(segment.from.y, listed[k][2], `${hex} move y`);
            ++k;
          }
          const [command, ...numbers] = listed[k++];
          assert.equal(command, segment.type === 'line' ? 'L' : 'A', hex);
          near(segment.to.x, numbers.at(-2), `${hex} x`);
          near(segment.to.y, numbers.at(-1), `${hex} y`);
        }
      }
      assert.equal(k, listed.length, `${hex}: every listed command drawn`);
    }
    // What the drawing of each shape skipped, in the words morlune-draw uses.
    const warned = messages(tool.stderr, 'morlune-draw')
      .map((m) => m.slice(m.indexOf(': ') + 2))
      .filter((m) => m.startsWith('shape '));
    const told = [...seen].flatMap((code) =>
      opened.glyph(code).warnings.map((w) => `shape ${code.toString(16).toUpperCase().padStart(4, '0')}: ${w.message}`),
    );
    assert.deepEqual(told, warned);
  });
}
