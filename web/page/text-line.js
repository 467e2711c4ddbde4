// A line of text set in the font and drawn as a picture in pixels: the
// text height is pixels per the font's height, and the picture reaches a
// quarter height past the glyphs, the pen's last place and the height
// above the origin, as a text picture of morlune-draw does.
import { num } from './svg-text.js';

/**
 * Sets `text` in a style ({font, bigfont, height, widthFactor, oblique,
 * encoding}) and gives {svg, layout}; the layout's paths are in pixels.
 */
export function textPicture(morlune, text, style) {
  const layout = morlune.layoutText(text, style);
  const height = style.height;
  let box = { minX: 0, minY: height, maxX: 0, maxY: height };
  if (layout.glyphs.length > 0) {
    // Where each glyph's advance leaves the pen: the next one's origin, and
    // the line's advance after the last.
    for (const glyph of layout.glyphs.slice(1)) box = grow(box, glyph.origin);
    box = grow(box, layout.advance);
  }
  if (layout.bounds) {
    box = grow(box, { x: layout.bounds.minX, y: layout.bounds.minY });
    box = grow(box, { x: layout.bounds.maxX, y: layout.bounds.maxY });
  }
  const pad = height / 4;
  const viewX = box.minX - pad;
  const viewY = -(box.maxY + pad);
  const width = box.maxX - box.minX + 2 * pad;
  const tall = box.maxY - box.minY + 2 * pad;
  const svg =
    `<svg xmlns="http://www.w3.org/2000/svg" width="${num(width)}" height="${num(tall)}"` +
    ` viewBox="${num(viewX)} ${num(viewY)} ${num(width)} ${num(tall)}" role="img" aria-label="the text set in the font">` +
    `<rect x="${num(viewX)}" y="${num(viewY)}" width="100%" height="100%" fill="#fff"/>` +
    `<path class="b" stroke-width="1" d="M ${num(viewX)} 0 H ${num(viewX + width)}"/>` +
    `<g transform="scale(1 -1)"><path class="g" stroke-width="1.25" d="${layout.svgPath}"/></g></svg>`;
  return { svg, layout };
}

function grow(box, { x, y }) {
  return {
    minX: Math.min(box.minX, x),
    minY: Math.min(box.minY, y),
    maxX: Math.max(box.maxX, x),
    maxY: Math.max(box.maxY, y),
  };
}
