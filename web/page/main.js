// The workbench's wiring: opening fonts (file inputs and drops), the grid
// and the selected glyph, the line of text, the checker's findings, the
// save buttons, and the view kept in the address bar's fragment.
import { loadMorlune } from '../single.js';
import { BackgroundReader } from './background-reader.js';
import { FindingsList } from './findings-list.js';
import { GlyphGrid } from './glyph-grid.js';
import { glyphPicture } from './glyph-view.js';
import { saveFont } from './save-font.js';
import { SourceRecords } from './source-records.js';
import { codeText, escapeText } from './svg-text.js';
import { textPicture } from './text-line.js';
import { VIEW_FIELDS, readView, saveView } from './view-fragment.js';

const $ = (id) => document.getElementById(id);
// What the page measured, for its test and anyone curious: data-* of <body>.
const marks = document.body.dataset;

const state = {
  morlune: null,
  reader: null,
  font: null,
  fileName: '',
  bytes: null,
  bigfont: null,
  bigfontName: '',
  records: null,
  selected: null,
  openedAt: 0,
};

const grid = new GlyphGrid($('grid'), $('grid-space'), (code) => {
  selectGlyph(code);
  saveView(state.selected);
});

const findings = new FindingsList($('findings'), $('findings-count'), $('findings-more'), (code) => {
  if (grid.selectCode(code)) {
    selectGlyph(code);
    saveView(state.selected);
    $('grid').focus();
  } else {
    setStatus(`${codeText(code)}: the grid has no glyph of that code.`, true);
  }
});

function setStatus(text, isError = false) {
  $('status').textContent = text;
  $('status').classList.toggle('error', isError);
}

function describe(error) {
  if (error && error.errors) {
    const where = error.errors.slice(0, 5).map((e) => `line ${e.line}, column ${e.column}: ${e.message}`);
    return `${error.message} ${where.join('; ')}`;
  }
  return error?.message ?? String(error);
}

function count(n, thing) {
  return `${n} ${thing}${n === 1 ? '' : 's'}`;
}

// A page read from the disk has no README beside it to link to: the
// section is named instead.
if (location.protocol === 'file:') {
  const words = document.createElement('span');
  words.textContent = 'the "The tools" section of README.md in the morlune sources';
  $('readme-link').replaceWith(words);
}

// ---- opening fonts

async function openFile(file, asBigfont) {
  const started = performance.now();
  marks.fileGivenAt = String(Date.now());
  const bytes = new Uint8Array(await file.arrayBuffer());
  const morlune = await ready;
  let font;
  try {
    font = morlune.openFont(bytes, { fileName: file.name });
  } catch (error) {
    setStatus(`${file.name}: ${describe(error)}`, true);
    return;
  }
  if (asBigfont) {
    state.bigfont?.close();
    state.bigfont = font;
    state.bigfontName = file.name;
    $('bigfont-clear').disabled = false;
    $('bigfont-clear').textContent = `Close the bigfont ${file.name}`;
    setStatus(`${file.name} is the bigfont (${font.kind}).`);
    showSummary();
    drawText();
    return;
  }
  state.font?.close();
  Object.assign(state, { font, fileName: file.name, bytes, records: null, selected: null, openedAt: started });
  showFont(font);
}

function showFont(font) {
  const started = state.openedAt;
  for (const mark of ['gridPaintedMs', 'namesMs', 'checkedMs', 'readIn']) delete marks[mark];
  grid.show(font);
  // The first frame after the grid was made: the time a person waited for it.
  requestAnimationFrame(() => setTimeout(() => (marks.gridPaintedMs = (performance.now() - started).toFixed(1)), 0));
  marks.glyphs = String(grid.count);
  marks.gridMs = (performance.now() - started).toFixed(1);
  $('grid-count').textContent = `(${grid.count})`;
  for (const button of document.querySelectorAll('[data-save]')) button.disabled = false;
  showSummary();
  setStatus(`${state.fileName}: ${grid.count} glyphs shown in ${Math.round(performance.now() - started)} ms.`);
  const wanted = readView();
  drawText();
  if (wanted !== null && grid.selectCode(wanted)) {
    selectGlyph(wanted);
  } else if (grid.count > 0) {
    grid.select(0, false);
    selectGlyph(grid.codes[0]);
  }
  findings.clear('checking…');
  // Once the grid has been painted: on a large font these take a while.
  const checked = /\.(kqx|kqs)$/i.test(state.fileName) ? state.bytes : font.compiled;
  const request = { font, compiled: font.compiled, checked, label: state.fileName };
  requestAnimationFrame(() => setTimeout(() => font === state.font && state.reader.read(request), 0));
}

function showSummary() {
  const font = state.font;
  if (!font) return;
  let text = `${state.fileName}: ${font.kind}, height ${font.height}, depth ${font.depth}, ${count(grid.count, 'glyph')}`;
  if (font.imported) text += `, made from ${font.imported.format} (${font.imported.heightUnits} units per capital height)`;
  if (state.bigfont) text += `; bigfont ${state.bigfontName}`;
  $('font-summary').textContent = `${text}.`;
  document.title = `${state.fileName} — morlune font workbench`;
}

// ---- what the worker reads

function showRecords(index) {
  state.records = new SourceRecords(index);
  grid.setNames(state.records);
  if (state.selected !== null) showSource(state.selected);
  marks.namesMs = (performance.now() - state.openedAt).toFixed(1);
  marks.readIn = state.reader.where;
}

function showFindings(error, list) {
  findings.show(error, list);
  marks.checkedMs = (performance.now() - state.openedAt).toFixed(1);
}

function showProblem(what, message) {
  if (what === 'check') findings.clear(message);
  else setStatus(`${state.fileName}: the source text could not be made: ${message}`, true);
}

// ---- the selected glyph

function selectGlyph(code) {
  state.selected = code;
  try {
    const picture = glyphPicture(state.font, code);
    const { advance, warnings } = picture.glyph;
    let words =
      `<p class="summary">Glyph <strong>${codeText(code)}</strong>: advance ${advance.x}, ${advance.y}; ` +
      `${count(picture.strokes, 'stroke')}, ${count(picture.moves, 'pen-up move')}` +
      `${picture.arrows ? '' : ' (too many to show their direction)'}.</p>`;
    for (const warning of warnings) words += `<p class="status error">${escapeText(warning.message)}</p>`;
    $('glyph-view').innerHTML = picture.svg + words;
  } catch (error) {
    $('glyph-view').textContent = `${codeText(code)}: ${describe(error)}`;
  }
  $('glyph-heading').textContent = `Glyph ${codeText(code)}`;
  showSource(code);
}

function showSource(code) {
  const record = state.records?.recordOf(code) ?? null;
  $('glyph-source').textContent = record ?? (state.records ? '(no record)' : '(reading the source text…)');
}

// ---- the line of text

function drawText() {
  const font = state.font;
  if (!font || !state.morlune) return;
  const text = $('text-input').value;
  const style = {
    font,
    bigfont: state.bigfont,
    height: Number($('text-height').value),
    widthFactor: Number($('text-width').value),
    oblique: Number($('text-oblique').value),
    encoding: $('text-encoding').value.trim(),
  };
  try {
    const { svg, layout } = textPicture(state.morlune, text, style);
    $('text-picture').innerHTML = svg;
    const notes = [];
    if (text === '') notes.push('Type a line of text above to set it in the font.');
    if (layout.missing) notes.push(`Not in the font${state.bigfont ? 's' : ''} or the code page: ${layout.missing}`);
    notes.push(...layout.warnings);
    $('text-notes').textContent = notes.join(' · ');
  } catch (error) {
    $('text-picture').textContent = '';
    $('text-notes').textContent = describe(error);
  }
}

// ---- inputs

for (const button of document.querySelectorAll('[data-save]')) {
  button.addEventListener('click', () => {
    if (!state.font) return;
    const format = button.dataset.save;
    try {
      const saved = saveFont(state.font, format, { fileName: state.fileName, encoding: $('text-encoding').value.trim() });
      const losses = saved.losses.length ? ` Not carried over: ${saved.losses.join('; ')}` : '';
      setStatus(`Saved ${saved.name} (${saved.size} bytes).${losses}`);
    } catch (error) {
      setStatus(`${format}: ${describe(error)}`, true);
    }
  });
}

$('font-file').addEventListener('change', (event) => {
  const file = event.target.files[0];
  if (file) openFile(file, false);
});
$('bigfont-file').addEventListener('change', (event) => {
  const file = event.target.files[0];
  if (file) openFile(file, true);
});
$('bigfont-clear').addEventListener('click', () => {
  state.bigfont?.close();
  state.bigfont = null;
  $('bigfont-file').value = '';
  $('bigfont-clear').disabled = true;
  $('bigfont-clear').textContent = 'No bigfont open';
  showSummary();
  drawText();
});

const drop = $('drop-zone');
for (const target of [drop, document.body]) {
  target.addEventListener('dragover', (event) => {
    event.preventDefault();
    drop.classList.add('over');
  });
  target.addEventListener('dragleave', () => drop.classList.remove('over'));
  target.addEventListener('drop', (event) => {
    event.preventDefault();
    event.stopPropagation();
    drop.classList.remove('over');
    const file = event.dataTransfer.files[0];
    if (file) openFile(file, event.shiftKey);
  });
}

for (const [, id] of VIEW_FIELDS) {
  $(id).addEventListener('input', () => {
    drawText();
    saveView(state.selected);
  });
}

window.addEventListener('hashchange', () => {
  const wanted = readView();
  drawText();
  if (wanted !== null && state.font && grid.selectCode(wanted)) selectGlyph(wanted);
});

// ---- the module

readView();
setStatus('Loading the WebAssembly module…');
const ready = loadMorlune().then(
  (morlune) => {
    state.morlune = morlune;
    state.reader = new BackgroundReader(morlune, { onSource: showRecords, onFindings: showFindings, onProblem: showProblem });
    marks.ready = 'true';
    // The worker loads its own module while the page waits for a font.
    const idle = globalThis.requestIdleCallback ?? ((run) => setTimeout(run, 0));
    idle(() => state.reader.start(), { timeout: 2000 });
    setStatus('Ready: open a font.');
    return morlune;
  },
  (error) => {
    setStatus(`The WebAssembly module could not be loaded: ${describe(error)}`, true);
    throw error;
  },
);
