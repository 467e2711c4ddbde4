// The single-file workbench page in headless Chromium, opened from the
// disk: a font loaded through the file input, the glyph grid counted, a
// line of text typed and its picture compared with morlune-draw's, the
// fragment, the keyboard and the checker's links; then a font of 65,534
// glyphs, whose time to grid is logged. Screenshots are kept in a folder
// named in the output.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath, pathToFileURL } from 'node:url';

import puppeteer from 'puppeteer-core';

import { piecesOfPath } from './svg-path.mjs';

const here = fileURLToPath(new URL('.', import.meta.url));
const webDir = join(here, '..');
// The native tools whose drawing the page's must equal (MORLUNE_TOOLS_DIR).
const toolsDir = process.env.MORLUNE_TOOLS_DIR ?? join(webDir, '..', 'build');
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';
const scratch = mkdtempSync(join(tmpdir(), 'morlune-page-test-'));
const shots = process.env.MORLUNE_SCREENSHOTS ?? mkdtempSync(join(tmpdir(), 'morlune-page-screenshots-'));
const missing = ['morlune-compile', 'morlune-draw'].filter((tool) => !existsSync(join(toolsDir, tool)));
const needsTools = missing.length ? { skip: `no ${missing.join(', ')} in ${toolsDir} (MORLUNE_TOOLS_DIR)` } : {};

function run(tool, args) {
  const result = spawnSync(join(toolsDir, tool), args, { maxBuffer: 1 << 28 });
  assert.equal(result.status, 0, `${tool} ${args.join(' ')}: ${result.stderr}`);
  return result.stdout.toString('utf8');
}

// The font made by hand: five glyphs (space, 1, A, O, ^), the caret 2 units
// above the font's height of 10.
const small = { source: join(here, 'fonts', 'page_strokes.kqs'), codes: [0x20, 0x31, 0x41, 0x4f, 0x5e], height: 10 };
// A bigfont of two Shift-JIS codes: 82A0 and 8341.
const big = { source: join(here, 'fonts', 'page_big.kqs') };

// 65,534 glyphs, one for every code of a unifont but 0 and U+FFFF: two
// strokes each, the second's end moving with the code, the pen back on the
// baseline at 6.
function manyGlyphsSource() {
  const lines = [';; Every code a glyph: a grid test of a full unifont.', '*UNIFONT,6,Many strokes', '6,2,0,0,0,0', ''];
  for (let code = 1; code <= 0xfffe; ++code) {
    const dx = (code % 11) - 5;
    const dy = -((code >> 4) % 5);
    lines.push(`*0${code.toString(16).toUpperCase().padStart(4, '0')},12,g${code}`);
    lines.push(`1,8,(0,6),8,(${dx},${dy}),2,8,(${6 - dx},${-(6 + dy)}),0`, '');
  }
  return lines.join('\n');
}

let browser;
let pagePath;

before(async () => {
  // The page built from the sources as they are now.
  pagePath = join(scratch, 'morlune-workbench.html');
  const build = spawnSync(process.execPath, [join(webDir, 'page', 'build.mjs'), pagePath], { encoding: 'utf8' });
  assert.equal(build.status, 0, build.stderr);
  browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: mkdtempSync(join(tmpdir(), 'morlune-page-profile-')),
    args: [
      '--headless',
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
  console.log(`screenshots: ${shots}`);
});

after(async () => {
  await browser?.close();
});

async function openPage(fragment = '') {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 1400 });
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('requestfailed', (request) => errors.push(`request failed: ${request.url().slice(0, 80)}`));
  await page.goto(pathToFileURL(pagePath).href + fragment);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  return { page, errors };
}

// Gives the milliseconds from handing the file to the input until the grid
// was painted, as the test saw them and as the page measured them (from its
// input's change to the first frame after the grid was made).
async function loadFont(page, path) {
  const started = performance.now();
  const given = Date.now();
  const input = await page.$('#font-file');
  await input.uploadFile(path);
  await page.waitForFunction(() => document.querySelector('#grid .cell') && document.body.dataset.gridPaintedMs, {
    polling: 'raf',
    timeout: 60000,
  });
  const seen = performance.now() - started;
  const { gridMs, gridPaintedMs, fileGivenAt } = await page.$eval('body', (b) => ({ ...b.dataset }));
  return { seen, upload: Number(fileGivenAt) - given, made: Number(gridMs), painted: Number(gridPaintedMs) };
}

// Drops a file on the page as a person would drag it there, Shift held
// for a bigfont.
async function dropFile(page, path, { shiftKey = false } = {}) {
  const bytes = [...readFileSync(path)];
  const name = basename(path);
  await page.evaluate(
    (bytes, name, shiftKey) => {
      const transfer = new DataTransfer();
      transfer.items.add(new File([new Uint8Array(bytes)], name));
      const zone = document.getElementById('drop-zone');
      zone.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, shiftKey, bubbles: true, cancelable: true }));
    },
    bytes,
    name,
    shiftKey,
  );
}

// Every piece of text shown on the page against the colour behind it: at
// least 4.5:1, or 3:1 for large text (WCAG AA). Gives the ones that fall short.
function lowContrastTexts() {
  const channel = (c) => {
    const v = c / 255;
    return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
  };
  const parse = (colour) => (colour.match(/[\d.]+/g) ?? []).map(Number);
  const luminance = ([r, g, b]) => 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
  const backgroundOf = (element) => {
    for (let e = element; e; e = e.parentElement) {
      const [r, g, b, a = 1] = parse(getComputedStyle(e).backgroundColor);
      if (a > 0) return [r, g, b];
    }
    return [255, 255, 255];
  };
  const short = [];
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    const element = node.parentElement;
    if (!node.textContent.trim() || !element.checkVisibility?.() || element.closest('svg, script')) continue;
    const style = getComputedStyle(element);
    const size = parseFloat(style.fontSize);
    const large = size >= 24 || (size >= 18.66 && Number(style.fontWeight) >= 700);
    const [l1, l2] = [luminance(parse(style.color)), luminance(backgroundOf(element))].sort((a, b) => b - a);
    const ratio = (l1 + 0.05) / (l2 + 0.05);
    if (ratio < (large ? 3 : 4.5)) short.push(`${node.textContent.trim().slice(0, 30)}: ${ratio.toFixed(2)}`);
  }
  return short;
}

async function setField(page, selector, value) {
  await page.click(selector, { count: 3 });
  await page.keyboard.press('Backspace');
  await page.type(selector, value);
}

// The page's picture of the text and morlune-draw's, as absolute pieces in
// pixels: the page draws in pixels, the tool in font units scaled by its
// width over its view box.
async function compareText(page, font, text, style) {
  const args = ['--text', text, '--height', style.height];
  if (style.width) args.push('--width-factor', style.width);
  if (style.oblique) args.push('--oblique', style.oblique);
  if (style.encoding) args.push('--encoding', style.encoding);
  if (style.bigfont) args.push('--bigfont', style.bigfont);
  const tool = run('morlune-draw', [...args, font]);
  const toolSize = /<svg [^>]*width="([^"]+)" height="([^"]+)" viewBox="([^"]+)"/.exec(tool);
  const scale = Number(toolSize[1]) / Number(toolSize[3].split(' ')[2]);
  const expected = [];
  for (const [, x, y, d] of tool.matchAll(/<path class="g" transform="translate\(([^ ]+) ([^)]+)\)" d="([^"]*)"/g)) {
    expected.push(...piecesOfPath(d, { dx: Number(x), dy: Number(y), scale }));
  }
  const shown = await page.$eval('#text-picture svg', (svg) => ({
    width: svg.getAttribute('width'),
    height: svg.getAttribute('height'),
    paths: [...svg.querySelectorAll('path.g')].map((path) => path.getAttribute('d')),
  }));
  const actual = shown.paths.flatMap((d) => piecesOfPath(d));
  assert.ok(expected.length > 0, 'the tool drew something');
  assert.equal(actual.length, expected.length, `${text}: pieces\n${JSON.stringify(actual)}\n${JSON.stringify(expected)}`);
  // The tool rounds to a fiftieth of a pixel, relative to the point before.
  const near = (a, b, what) => assert.ok(Math.abs(a - b) <= 0.05, `${text}: ${what} ${a} against ${b}`);
  actual.forEach((piece, i) => {
    const want = expected[i];
    assert.equal(piece.kind, want.kind, `${text}: piece ${i}`);
    near(piece.x, want.x, `piece ${i} x`);
    near(piece.y, want.y, `piece ${i} y`);
    if (piece.kind === 'A') {
      near(piece.rx, want.rx, `piece ${i} rx`);
      near(piece.ry, want.ry, `piece ${i} ry`);
      assert.ok(Math.abs(piece.turn - want.turn) < 1e-3, `${text}: piece ${i} turn`);
      assert.deepEqual([piece.large, piece.sweep], [want.large, want.sweep]);
    }
  });
  // The same frame: a quarter height past the glyphs and the pen.
  near(Number(shown.width), Number(toolSize[1]), 'width');
  near(Number(shown.height), Number(toolSize[2]), 'height');
}

const selectedCode = (page) => page.$eval('#glyph-heading', (h) => h.textContent.replace('Glyph ', ''));

test('a small font: its glyphs, a line of text as morlune-draw sets it, the fragment, keys and findings', needsTools, async () => {
  const compiled = join(scratch, 'page_strokes.kqx');
  run('morlune-compile', [small.source, '-o', compiled]);
  const { page, errors } = await openPage();
  await page.screenshot({ path: join(shots, '1-empty.png'), fullPage: true });
  await loadFont(page, compiled);

  assert.equal(await page.$eval('body', (b) => b.dataset.glyphs), String(small.codes.length));
  const cells = await page.$$eval('#grid .cell .code', (codes) => codes.map((c) => c.textContent));
  assert.deepEqual(cells, small.codes.map((c) => c.toString(16).toUpperCase().padStart(4, '0')));

  // Typed, then restyled: each state compared with the tool's.
  await page.type('#text-input', 'A1 O^');
  await compareText(page, compiled, 'A1 O^', { height: '32' });
  await setField(page, '#text-height', '40');
  await setField(page, '#text-width', '1.5');
  await setField(page, '#text-oblique', '15');
  await compareText(page, compiled, 'A1 O^', { height: '40', width: '1.5', oblique: '15' });
  await setField(page, '#text-oblique', '-30');
  await compareText(page, compiled, 'A1 O^', { height: '40', width: '1.5', oblique: '-30' });

  // The grid by keyboard: from the first glyph two to the right is A.
  await page.focus('#grid');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');
  assert.equal(await selectedCode(page), '0041');
  await page.screenshot({ path: join(shots, '2-small-font.png'), fullPage: true });

  // A's record beside it, its advance of 10 below the picture.
  await page.waitForFunction(() => document.querySelector('#glyph-source').textContent.startsWith('*00041'));
  assert.match(await page.$eval('#glyph-view', (v) => v.textContent), /advance 10, 0; 3 strokes, 3 pen-up moves/);

  // The fragment keeps the text, the style and the glyph; opened again it restores them.
  const hash = await page.evaluate(() => location.hash);
  const params = new URLSearchParams(hash.slice(1));
  assert.deepEqual(
    ['text', 'height', 'width', 'oblique', 'glyph'].map((k) => params.get(k)),
    ['A1 O^', '40', '1.5', '-30', '0041'],
  );

  // The caret's finding links to the caret.
  await page.waitForSelector('#findings a[data-code]');
  const findings = await page.$$eval('#findings li', (items) => items.map((i) => i.textContent));
  assert.deepEqual(findings, ['005E INFO above-height: the glyph reaches 2 units above the font\'s height of 10 units']);
  await page.click('#findings a[data-code]');
  assert.equal(await selectedCode(page), '005E');
  assert.deepEqual(await page.evaluate(lowContrastTexts), []);
  assert.deepEqual(errors, []);
  await page.close();

  const again = await openPage(hash);
  assert.equal(await again.page.$eval('#text-input', (i) => i.value), 'A1 O^');
  assert.equal(await again.page.$eval('#text-oblique', (i) => i.value), '-30');
  await loadFont(again.page, compiled);
  assert.equal(await selectedCode(again.page), '0041');
  await compareText(again.page, compiled, 'A1 O^', { height: '40', width: '1.5', oblique: '-30' });
  await again.page.screenshot({ path: join(shots, '3-shared-view.png'), fullPage: true });
  await again.page.close();
});

test('a font of 65,534 glyphs: the grid draws only what shows; time to grid logged', needsTools, async () => {
  const source = join(scratch, 'many.kqs');
  const compiled = join(scratch, 'many.kqx');
  writeFileSync(source, manyGlyphsSource());
  run('morlune-compile', [source, '-o', compiled]);
  const { page, errors } = await openPage();
  const time = await loadFont(page, compiled);
  console.log(
    `65,534 glyphs, time to grid: ${time.painted.toFixed(0)} ms from the file input's change to the grid painted ` +
      `(made in ${time.made.toFixed(0)} ms); ${time.seen.toFixed(0)} ms as the test saw it, ` +
      `${time.upload} ms of it handing the file over`,
  );
  assert.equal(await page.$eval('body', (b) => b.dataset.glyphs), '65534');
  const drawn = await page.$$eval('#grid .cell', (cells) => cells.length);
  assert.ok(drawn > 0 && drawn < 500, `${drawn} cells drawn`);
  await page.waitForFunction(() => document.body.dataset.checkedMs, { timeout: 60000 });
  console.log(`65,534 glyphs: names, source records and the checker's findings in ${await page.$eval('body', (b) => b.dataset.checkedMs)} ms`);
  await page.screenshot({ path: join(shots, '4-many-glyphs.png'), fullPage: true });

  // The last glyph, reached by End, is U+FFFE; only the rows in view are drawn there too.
  await page.focus('#grid');
  await page.keyboard.press('End');
  assert.equal(await selectedCode(page), 'FFFE');
  const lastCells = await page.$$eval('#grid .cell .code', (codes) => codes.map((c) => c.textContent));
  assert.ok(lastCells.includes('FFFE') && lastCells.length < 500);
  // Its name and record, read beside the page (a worker, even from the disk).
  assert.equal(await page.$eval('body', (b) => b.dataset.readIn), 'worker');
  assert.equal(await page.$eval('[aria-selected="true"] .name', (n) => n.textContent), 'g65534');
  assert.equal(await page.$eval('#glyph-source', (s) => s.textContent), '*0FFFE,12,g65534\n1,8,(0,6),8,(2,0),2,8,(4,-6),0');

  await page.type('#text-input', 'Aé€');
  await compareText(page, compiled, 'Aé€', { height: '32' });
  await page.screenshot({ path: join(shots, '5-many-glyphs-end.png'), fullPage: true });
  assert.deepEqual(errors, []);
  await page.close();
});

test('a bigfont dropped beside the font: its two-byte codes through a code page, as morlune-draw sets them', needsTools, async () => {
  const compiled = join(scratch, 'page_strokes.kqx');
  const bigfont = join(scratch, 'page_big.kqx');
  run('morlune-compile', [small.source, '-o', compiled]);
  run('morlune-compile', [big.source, '-o', bigfont]);
  const { page, errors } = await openPage();
  await dropFile(page, compiled);
  await page.waitForFunction(() => document.body.dataset.glyphs === '5');
  await dropFile(page, bigfont, { shiftKey: true });
  await page.waitForFunction(() => !document.getElementById('bigfont-clear').disabled);
  // Still the font's five glyphs in the grid: the bigfont only sets text.
  assert.equal(await page.$$eval('#grid .cell', (cells) => cells.length), 5);
  await page.type('#text-encoding', 'CP932');
  await page.type('#text-input', 'A\u30a2\u30421');
  await compareText(page, compiled, 'A\u30a2\u30421', { height: '32', encoding: 'CP932', bigfont });
  assert.equal(await page.$eval('#text-notes', (n) => n.textContent), '');
  await page.screenshot({ path: join(shots, '6-bigfont.png'), fullPage: true });

  // A file that is no font is refused in words, and the open font stays.
  const junk = join(scratch, 'junk.kqx');
  writeFileSync(junk, 'not a font at all\n');
  await dropFile(page, junk);
  await page.waitForSelector('#status.error');
  assert.match(await page.$eval('#status', (s) => s.textContent), /^junk\.kqx: \S/);
  assert.equal(await page.$eval('body', (b) => b.dataset.glyphs), '5');

  // Without the bigfont the kana are missing from the line.
  await page.click('#bigfont-clear');
  assert.match(await page.$eval('#text-notes', (n) => n.textContent), /\u30a2\u3042/);
  assert.deepEqual(errors, []);
  await page.close();
});

test('the save buttons write what the tools write', needsTools, async () => {
  const convertMissing = ['morlune', 'morlune-convert'].filter((tool) => !existsSync(join(toolsDir, tool)));
  if (convertMissing.length) return;
  const compiled = join(scratch, 'page_strokes.kqx');
  run('morlune-compile', [small.source, '-o', compiled]);
  const downloads = mkdtempSync(join(tmpdir(), 'morlune-page-saved-'));
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  const { page, errors } = await openPage();
  await loadFont(page, compiled);
  const saved = async (label, name) => {
    const path = join(downloads, name);
    await page.click(`[data-save="${label}"]`);
    for (let i = 0; i < 200 && !existsSync(path); ++i) await new Promise((r) => setTimeout(r, 50));
    return readFileSync(path);
  };
  assert.deepEqual(await saved('kqs', 'page_strokes.kqs'), Buffer.from(run('morlune', [compiled]), 'utf8'));
  assert.deepEqual(await saved('kqx', 'page_strokes.kqx'), readFileSync(compiled));
  // The tool names a font that has none after its output; the page's file is named after the font's.
  const byTool = mkdtempSync(join(tmpdir(), 'morlune-page-converted-'));
  for (const format of ['svg', 'jhf', 'lff']) {
    const out = join(byTool, `page_strokes.${format}`);
    run('morlune-convert', [compiled, out]);
    assert.equal((await saved(format, `page_strokes.${format}`)).toString('utf8'), readFileSync(out, 'utf8'), format);
  }
  assert.deepEqual(errors, []);
  await page.close();
});

test('every format the page opens: source text, SVG font, JHF, LFF, each grid as the tools see the font', needsTools, async () => {
  if (!existsSync(join(toolsDir, 'morlune-convert'))) return;
  const { page, errors } = await openPage();
  for (const name of ['page_strokes.kqs', 'page.svg', 'page.jhf', 'page.lff']) {
    const path = join(here, 'fonts', name);
    // The tools: source text is drawn as it is, an interchange font once converted as the page converts it.
    let drawn = path;
    if (!name.endsWith('.kqs')) {
      drawn = join(scratch, `${name}.kqx`);
      run('morlune-convert', [path, drawn]);
    }
    const expected = run('morlune-draw', ['--list', drawn]).split('\n').filter(Boolean).map((line) => line.split('\t')[0]);
    await loadFont(page, path);
    await page.waitForFunction((n) => document.getElementById('status').textContent.startsWith(n), {}, name);
    const cells = await page.$$eval('#grid .cell .code', (codes) => codes.map((c) => c.textContent));
    assert.deepEqual(cells, expected, name);
    if (name === 'page.svg') await page.screenshot({ path: join(shots, '7-svg-font.png'), fullPage: true });
  }
  assert.deepEqual(errors, []);
  await page.close();
});
