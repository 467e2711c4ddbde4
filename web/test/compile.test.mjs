// Source text compiled by the module as morlune-compile compiles it: the
// same bytes, the same diagnostics, and errors thrown as CompileError.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { CompileError } from '../morlune.js';
import { fontsDir, messages, morlune, native, run, scratch, scratchFile, shapeFonts, text } from './support.mjs';

const sources = shapeFonts.filter((font) => font.name.endsWith('.kqs'));
const optionCases = [
  [{}, []],
  [{ dropDefaultNames: true }, ['--drop-default-names']],
  [{ variant: 'unifont' }, ['--variant', 'unifont']],
  [{ variant: 'shapes10' }, ['--variant', 'shapes10']],
];

for (const font of sources) {
  test(`${font.name}: compiled as morlune-compile compiles it`, native, () => {
    for (const [options, args] of optionCases) {
      let ours;
      try {
        ours = morlune.compile(font.bytes, options);
      } catch (error) {
        ours = error;
      }
      const tool = run('morlune-compile', [...args, '-o', join(scratch, 'out.kqx'), font.path]);
      if (tool.status !== 0) {
        assert.ok(ours instanceof CompileError, `${args}: ${tool.stderr}`);
        continue;
      }
      assert.deepEqual(ours.bytes, new Uint8Array(readFileSync(join(scratch, 'out.kqx'))), args.join(' '));
      assert.equal(ours.warnings.length, messages(tool.stderr, 'morlune-compile').length);
    }
  });

  test(`${font.name}: compiled back as morlune | morlune-compile gives it`, native, () => {
    const opened = morlune.openFont(font.bytes);
    const decompiled = scratchFile('back.kqs', opened.decompileBytes());
    const tool = run('morlune-compile', ['-o', join(scratch, 'back.kqx'), decompiled]);
    assert.equal(tool.status, 0);
    assert.deepEqual(opened.compileBack(), new Uint8Array(readFileSync(join(scratch, 'back.kqx'))));
  });
}

test('a text with errors throws CompileError with every problem at its line and column', () => {
  const source = readFileSync(join(fontsDir, 'errors.kqs'));
  // The count of line 6 (column 8) says 4 bytes for 3; line 10's operand 200
  // (column 4) is out of a signed byte's range; line 12 is no header.
  const where = [
    [6, 8],
    [10, 4],
    [12, 1],
  ];
  for (const attempt of [() => morlune.compile(source), () => morlune.openFont(source)]) {
    assert.throws(attempt, (error) => {
      assert.ok(error instanceof CompileError);
      assert.equal(error.kind, 'sourceErrors');
      assert.deepEqual(
        error.errors.map((d) => [d.line, d.column]),
        where,
      );
      assert.deepEqual(error.warnings, []);
      return true;
    });
  }
  // With the counts taken as given, the first is a warning that comes with the errors.
  assert.throws(
    () => morlune.compile(source, { takeCounted: true }),
    (error) => error.errors.length === 2 && error.warnings.length === 1 && error.warnings[0].line === 6,
  );
});

test('the messages of the errors are morlune-compile\'s', native, () => {
  const path = join(fontsDir, 'errors.kqs');
  const tool = run('morlune-compile', ['-o', join(scratch, 'never.kqx'), path]);
  const told = messages(tool.stderr, 'morlune-compile').map((line) => line.slice(path.length + 1));
  assert.throws(
    () => morlune.compile(readFileSync(path)),
    (error) => {
      assert.deepEqual(
        error.diagnostics.map((d) => `${d.line}:${d.column}: error: ${d.message}`),
        told,
      );
      return true;
    },
  );
});

test('warnings of a text that compiles are kept, also by the font opened from it', () => {
  const source = '*0,4,w\n6,2,0,0\n\n*00041,4,a\n1,040,0\n';
  const { bytes, warnings } = morlune.compile(source, { takeCounted: true });
  assert.deepEqual(
    warnings.map((d) => [d.line, d.column, d.isError]),
    [[4, 8, false]],
  );
  const font = morlune.openFont(source, { takeCounted: true });
  assert.deepEqual(font.compiled, bytes);
  assert.deepEqual(font.diagnostics, warnings);
  assert.equal(text(font.records[1].data), '\u0001\u0040\u0000');
});
