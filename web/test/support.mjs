// What the JavaScript tests share: the module, the fonts they run over, and
// the native tools built from the same sources, whose output the module's
// must equal byte for byte (MORLUNE_NATIVE_BUILD names their build folder;
// the repository's build/ by default).
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { loadMorlune } from '../morlune.js';

export const webDir = fileURLToPath(new URL('..', import.meta.url));
export const repoDir = join(webDir, '..');
export const fontsDir = fileURLToPath(new URL('./fonts/', import.meta.url));
export const nativeDir = process.env.MORLUNE_NATIVE_BUILD ?? join(repoDir, 'build');
export const scratch = mkdtempSync(join(tmpdir(), 'morlune-web-'));

export const morlune = await loadMorlune();

const toolsBuilt = ['morlune', 'morlune-compile', 'morlune-draw', 'morlune-convert', 'morlune-check'].every((tool) =>
  existsSync(join(nativeDir, tool)),
);
// CI sets MORLUNE_NATIVE_REQUIRED: there a comparison skipped would pass
// unseen, so missing tools stop the run instead.
if (!toolsBuilt && process.env.MORLUNE_NATIVE_REQUIRED) {
  throw new Error(`no native tools in ${nativeDir}`);
}
/** Skips a comparison where the native tools are not built. */
export const native = toolsBuilt ? {} : { skip: `no native tools in ${nativeDir}` };

/** A native tool's run: {status, stdout (bytes), stderr (text)}, run in `cwd`. */
export function run(tool, args, { cwd = scratch } = {}) {
  const result = spawnSync(join(nativeDir, tool), args, { cwd, maxBuffer: 1 << 28 });
  return { status: result.status, stdout: new Uint8Array(result.stdout), stderr: result.stderr.toString('utf8') };
}

/** The lines a tool wrote on standard error, its own name taken off. */
export function messages(stderr, tool) {
  return stderr.split('\n').filter(Boolean).map((line) => line.replace(`${tool}: `, ''));
}

export function scratchFile(name, bytes) {
  const path = join(scratch, name);
  writeFileSync(path, bytes);
  return path;
}

function compiledExample(name) {
  return { name, path: join(repoDir, 'examples', name), bytes: readFileSync(join(repoDir, 'examples', name)) };
}

// A compiled font cut short inside its index, and one cut inside a record.
const sample = readFileSync(join(repoDir, 'examples', 'strokes_shapes11.kqx'));
const damaged = [
  ['cut_index.kqx', sample.subarray(0, 60)],
  ['cut_record.kqx', sample.subarray(0, 160)],
].map(([name, bytes]) => ({ name, path: scratchFile(name, bytes), bytes: new Uint8Array(bytes) }));

/** Every font the tests run over: the examples, the fonts made here (source text), two damaged ones. */
export const shapeFonts = [
  ...readdirSync(join(repoDir, 'examples'))
    .filter((name) => /\.kq[xs]$/.test(name))
    .sort()
    .map(compiledExample),
  ...readdirSync(fontsDir)
    .filter((name) => name.endsWith('.kqs') && name !== 'errors.kqs')
    .sort()
    .map((name) => ({ name, path: join(fontsDir, name), bytes: readFileSync(join(fontsDir, name)) })),
  ...damaged,
];

export const interchangeFonts = ['handmade.jhf', 'handmade.lff', 'handmade.svg'].map((name) => ({
  name,
  path: join(fontsDir, name),
  bytes: readFileSync(join(fontsDir, name)),
}));

export function openShapeFont(font) {
  return morlune.openFont(font.bytes);
}

/** A font's bytes as the native tools take them: compiled, for a source text. */
export function compiledPath(font, opened) {
  return font.name.endsWith('.kqs') ? scratchFile(font.name.replace(/\.kqs$/, '.kqx'), opened.compiled) : font.path;
}

export const text = (bytes) => new TextDecoder().decode(bytes);
