// One glyph drawn large: each stroke with an arrow at its end showing the
// way the pen went, the pen-up moves dashed, a dot where each run of strokes
// starts, the baseline, and the origin and advance marked.
import { boxOf, piecesOf } from './path-data.js';
import { codeText, escapeText, num } from './svg-text.js';

// Past this many strokes a glyph is drawn as one path without arrows: a
// damaged or hostile font may draw a hundred thousand.
const MOST_ARROWS = 3000;

/** SVG markup of a glyph, and the words that go with it. */
export function glyphPicture(font, code) {
  const glyph = font.glyph(code);
  const data = font.glyphSvgPath(code);
  const { strokes, moves, end } = piecesOf(data);
  const advance = glyph.advance;
  if (end.x !== advance.x || end.y !== advance.y) moves.push({ from: end, to: advance });

  const box = boxOf(data) ?? { minX: 0, minY: 0, maxX: 0, maxY: 0 };
  const high = font.height > 0 ? font.height : Math.max(box.maxY - box.minY, box.maxX - box.minX, 1);
  const minX = Math.min(box.minX, 0, advance.x);
  const maxX = Math.max(box.maxX, 0, advance.x);
  const minY = Math.min(box.minY, 0, advance.y, -font.depth);
  const maxY = Math.max(box.maxY, high, advance.y);
  const pad = high / 5;
  const viewBox = [minX - pad, -(maxY + pad), maxX - minX + 2 * pad, maxY - minY + 2 * pad].map(num).join(' ');
  const arrow = high / 14;

  let body = '';
  body += `<path class="guide" d="M ${num(minX - pad)} 0 H ${num(maxX + pad)}"/>`;
  if (font.height > 0) body += `<path class="guide" d="M ${num(minX - pad)} ${num(font.height)} H ${num(maxX + pad)}" stroke-dasharray="2 4"/>`;
  body += `<path class="adv" d="M 0 ${num(-pad / 2)} V ${num(high + pad / 2)}"/>`;
  body += `<path class="adv" d="M ${num(advance.x)} ${num(advance.y - pad / 2)} V ${num(advance.y + high + pad / 2)}"/>`;
  const arrows = strokes.length + moves.length <= MOST_ARROWS;
  if (arrows) {
    for (const move of moves) {
      body += `<path class="move" d="M ${num(move.from.x)} ${num(move.from.y)} L ${num(move.to.x)} ${num(move.to.y)}" marker-end="url(#move-arrow)"/>`;
    }
    for (const stroke of strokes) {
      body += `<path class="ink" d="M ${num(stroke.from.x)} ${num(stroke.from.y)} ${stroke.command} ${stroke.numbers.map(num).join(' ')}" marker-end="url(#ink-arrow)"/>`;
    }
    for (const start of startsOf(strokes)) {
      body += `<circle class="start" cx="${num(start.x)}" cy="${num(start.y)}" r="${num(arrow / 3)}"/>`;
    }
  } else {
    body += `<path class="ink" d="${data}"/>`;
  }

  const markers =
    `<defs>` +
    marker('ink-arrow', arrow, '#1a1a1a') +
    marker('move-arrow', arrow, '#b3261e') +
    `</defs>`;
  const title = `Glyph ${codeText(code)}: ${strokes.length} strokes, ${moves.length} pen-up moves`;
  const svg =
    `<svg viewBox="${viewBox}" role="img" aria-label="${escapeText(title)}">${markers}` +
    `<g transform="scale(1 -1)">${body}</g></svg>`;
  return { svg, glyph, strokes: strokes.length, moves: moves.length, arrows };
}

// Where the pen comes down: the first stroke, and each stroke that does not
// go on from where the one before it ended.
function startsOf(strokes) {
  const starts = [];
  let last = null;
  for (const stroke of strokes) {
    if (last === null || last.x !== stroke.from.x || last.y !== stroke.from.y) starts.push(stroke.from);
    last = stroke.to;
  }
  return starts;
}

// An arrowhead in the glyph's units (the drawing is flipped, so the head is
// drawn pointing along +x and turned by the path's own direction).
function marker(id, size, colour) {
  return (
    `<marker id="${id}" viewBox="0 0 10 10" refX="9" refY="5" markerUnits="userSpaceOnUse"` +
    ` markerWidth="${num(size)}" markerHeight="${num(size)}" orient="auto">` +
    `<path d="M 0 1 L 10 5 L 0 9 z" fill="${colour}"/></marker>`
  );
}
