// The listing's path data (absolute M, L and A commands, font units, y up)
// taken apart: the pieces a glyph is drawn with, and the box of their ends.

/** Each command as {command, numbers}; the listing writes nothing else. */
export function commandsOf(pathData) {
  const tokens = pathData.trim().split(/\s+/).filter(Boolean);
  const commands = [];
  for (let i = 0; i < tokens.length; ) {
    const command = tokens[i++];
    const count = command === 'A' ? 7 : 2;
    const numbers = tokens.slice(i, i + count).map(Number);
    i += count;
    commands.push({ command, numbers });
  }
  return commands;
}

/** The command's end point: the last two numbers. */
export function endOf({ numbers }) {
  return { x: numbers[numbers.length - 2], y: numbers[numbers.length - 1] };
}

/**
 * The strokes one by one, each with where the pen stood before it, and the
 * moves made with the pen up (from the origin, and between strokes).
 */
export function piecesOf(pathData) {
  const strokes = [];
  const moves = [];
  let pen = { x: 0, y: 0 };
  for (const item of commandsOf(pathData)) {
    const to = endOf(item);
    if (item.command === 'M') {
      if (to.x !== pen.x || to.y !== pen.y) moves.push({ from: pen, to });
    } else {
      strokes.push({ from: pen, command: item.command, numbers: item.numbers, to });
    }
    pen = to;
  }
  return { strokes, moves, end: pen };
}

/** The box of every point named (arc ends, not their bulges), or null. */
export function boxOf(pathData) {
  let box = null;
  for (const item of commandsOf(pathData)) {
    const { x, y } = endOf(item);
    if (!Number.isFinite(x) || !Number.isFinite(y)) continue;
    // An arc may bulge past its ends by up to its larger radius.
    const reach = item.command === 'A' ? Math.max(Math.abs(item.numbers[0]), Math.abs(item.numbers[1])) : 0;
    box = grow(box, x - reach, y - reach);
    box = grow(box, x + reach, y + reach);
  }
  return box;
}

function grow(box, x, y) {
  if (box === null) return { minX: x, minY: y, maxX: x, maxY: y };
  return {
    minX: Math.min(box.minX, x),
    minY: Math.min(box.minY, y),
    maxX: Math.max(box.maxX, x),
    maxY: Math.max(box.maxY, y),
  };
}
