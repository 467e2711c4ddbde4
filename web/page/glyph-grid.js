// The grid of every glyph, drawn only where it shows: a tall empty space
// stands for all the rows, and the cells of the rows in view (and a few
// around them) are made again whenever the view moves. A font of 65,534
// glyphs thus costs the same few dozen drawings as a font of ten.
import { boxOf } from './path-data.js';
import { codeText, escapeText, num } from './svg-text.js';

const CELL_WIDTH = 96;
const CELL_HEIGHT = 116;
const SPARE_ROWS = 2;
const DRAWING_CACHE_LIMIT = 4096;
// A glyph whose path data is longer is shown as a note: a few of them on
// screen at once would make the page crawl.
const LONGEST_PATH_DATA = 200000;

export class GlyphGrid {
  /**
   * container: the scrolling listbox; space: the element inside it as tall
   * as every row; onSelect(code) is told of a selection made here.
   */
  constructor(container, space, onSelect) {
    this.container = container;
    this.space = space;
    this.onSelect = onSelect;
    this.font = null;
    this.codes = new Uint32Array(0);
    this.indexOfCode = new Map();
    this.names = null;
    this.selected = -1;
    this.drawings = new Map();
    this.columns = 1;
    this.pending = false;
    container.addEventListener('scroll', () => this.schedule());
    container.addEventListener('keydown', (event) => this.onKey(event));
    container.addEventListener('click', (event) => {
      const cell = event.target.closest('.cell');
      if (cell) this.select(Number(cell.dataset.index), true);
    });
    new ResizeObserver(() => this.layout()).observe(container);
  }

  /** Shows a font's glyphs; names may come later (setNames). */
  show(font) {
    this.font = font;
    this.codes = font ? font.codes() : new Uint32Array(0);
    this.indexOfCode = new Map();
    for (let i = 0; i < this.codes.length; ++i) {
      if (!this.indexOfCode.has(this.codes[i])) this.indexOfCode.set(this.codes[i], i);
    }
    this.names = null;
    this.selected = -1;
    this.drawings.clear();
    this.unitsHigh = font && font.height > 0 ? font.height : 0;
    this.container.scrollTop = 0;
    this.container.removeAttribute('aria-activedescendant');
    this.layout();
  }

  /** names.nameOf(code), once the source text has been read. */
  setNames(names) {
    this.names = names;
    this.render();
  }

  get count() {
    return this.codes.length;
  }

  /** Selects a code's glyph; false where the font has no such glyph. */
  selectCode(code) {
    const index = this.indexOfCode.get(code);
    if (index === undefined) return false;
    this.select(index, false);
    return true;
  }

  select(index, byUser) {
    if (index < 0 || index >= this.codes.length) return;
    this.selected = index;
    this.scrollIntoView(index);
    this.render();
    if (byUser) this.onSelect(this.codes[index]);
  }

  layout() {
    this.columns = Math.max(1, Math.floor((this.container.clientWidth - 2) / CELL_WIDTH));
    const rows = Math.ceil(this.codes.length / this.columns);
    this.space.style.height = `${rows * CELL_HEIGHT}px`;
    this.render();
  }

  schedule() {
    if (this.pending) return;
    this.pending = true;
    requestAnimationFrame(() => {
      this.pending = false;
      this.render();
    });
  }

  scrollIntoView(index) {
    const top = Math.floor(index / this.columns) * CELL_HEIGHT;
    const view = this.container;
    if (top < view.scrollTop) view.scrollTop = top;
    else if (top + CELL_HEIGHT > view.scrollTop + view.clientHeight) view.scrollTop = top + CELL_HEIGHT - view.clientHeight;
  }

  render() {
    const view = this.container;
    const firstRow = Math.max(0, Math.floor(view.scrollTop / CELL_HEIGHT) - SPARE_ROWS);
    const lastRow = Math.floor((view.scrollTop + view.clientHeight) / CELL_HEIGHT) + SPARE_ROWS;
    const first = firstRow * this.columns;
    const last = Math.min(this.codes.length, (lastRow + 1) * this.columns);
    let html = '';
    for (let index = first; index < last; ++index) html += this.cellHtml(index);
    this.space.innerHTML = html;
    if (this.selected >= 0 && this.selected >= first && this.selected < last) {
      view.setAttribute('aria-activedescendant', `cell-${this.selected}`);
    } else {
      view.removeAttribute('aria-activedescendant');
    }
  }

  cellHtml(index) {
    const code = this.codes[index];
    const left = (index % this.columns) * CELL_WIDTH;
    const top = Math.floor(index / this.columns) * CELL_HEIGHT;
    const name = this.names?.nameOf(code) ?? '';
    const selected = index === this.selected;
    return (
      `<div class="cell" role="option" id="cell-${index}" data-index="${index}" aria-selected="${selected}"` +
      ` style="left:${left}px;top:${top}px" aria-label="${codeText(code)} ${escapeText(name)}">` +
      `<span class="code">${codeText(code)}</span><span class="name">${escapeText(name) || '&nbsp;'}</span>` +
      `${this.drawing(code)}</div>`
    );
  }

  // Every glyph at one scale (the font's height, or the glyph's own where
  // the font has none), centred across the cell.
  drawing(code) {
    let svg = this.drawings.get(code);
    if (svg !== undefined) return svg;
    let data = '';
    try {
      data = this.font.glyphSvgPath(code);
    } catch {
      data = '';
    }
    if (data.length > LONGEST_PATH_DATA) {
      svg = '<span class="name">(too large for the grid)</span>';
      this.drawings.set(code, svg);
      return svg;
    }
    const box = boxOf(data) ?? { minX: 0, minY: 0, maxX: 0, maxY: 0 };
    const high = this.unitsHigh || Math.max(box.maxY - box.minY, box.maxX - box.minX, 1);
    const viewHeight = high * 1.8;
    const viewWidth = viewHeight * (88 / 72);
    const middleX = (box.minX + box.maxX) / 2;
    const top = -(high * 1.3);
    svg =
      `<svg viewBox="${num(middleX - viewWidth / 2)} ${num(top)} ${num(viewWidth)} ${num(viewHeight)}" aria-hidden="true">` +
      `<path transform="scale(1 -1)" d="${data}"/></svg>`;
    if (this.drawings.size >= DRAWING_CACHE_LIMIT) this.drawings.clear();
    this.drawings.set(code, svg);
    return svg;
  }

  onKey(event) {
    if (this.codes.length === 0) return;
    const perPage = Math.max(1, Math.floor(this.container.clientHeight / CELL_HEIGHT)) * this.columns;
    const at = this.selected < 0 ? 0 : this.selected;
    const moves = {
      ArrowRight: at + 1,
      ArrowLeft: at - 1,
      ArrowDown: at + this.columns,
      ArrowUp: at - this.columns,
      PageDown: at + perPage,
      PageUp: at - perPage,
      Home: 0,
      End: this.codes.length - 1,
    };
    if (!(event.key in moves)) return;
    event.preventDefault();
    const next = this.selected < 0 ? 0 : Math.min(this.codes.length - 1, Math.max(0, moves[event.key]));
    this.select(next, true);
  }
}
