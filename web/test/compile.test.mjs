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

// The count of line 6 says 4 bytes for 3; line 10's operand 200 is out of a
// signed byte's range; line 12 is no header.
test('a text with errors throws CompileError with morlune-compile\'s problems', native, () => {
  const path = join(fontsDir, 'errors.kqs');
  const source = readFileSync(path);
  const tool = run('morlune-compile', ['-o', join(scratch, 'never.kqx'), path]);
  const told = messages(tool.stderr, 'morlune-compile').map((line) => line.slice(path.length + 1));
  assert.equal(told.length, 3);
  for (const attempt of [() => morlune.compile(source), () => morlune.openFont(source)]) {
    assert.throws(attempt, (error) => {
      assert.ok(error instanceof CompileError);
      assert.equal(error.kind, 'sourceErrors');
      assert.deepEqual(
        error.errors.map((d) => `${d.line}:${d.column}: error: ${d.message}`),
        told,
      );
      assert.deepEqual(error.diagnostics, error.errors);
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
