// Reads SVG path data, absolute or relative, compact or spaced, into
// absolute pieces: each a move, a line or an arc with its end point (and an
// arc's radii, turn and flags), so that two drawings written differently
// can be compared number by number.

const NUMBER = /^[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?/;
const ARGUMENTS = { M: 2, L: 2, H: 1, V: 1, A: 7, Z: 0 };

function tokens(data) {
  const list = [];
  let rest = data;
  let command = null;
  let argument = 0;
  while ((rest = rest.replace(/^[\s,]+/, '')) !== '') {
    if (/^[MLHVAZmlhvaz]/.test(rest)) {
      command = rest[0];
      argument = 0;
      list.push(command);
      rest = rest.slice(1);
      continue;
    }
    // An arc's two flags may be written as single digits without a separator.
    const flag = command !== null && command.toUpperCase() === 'A' && (argument % 7 === 3 || argument % 7 === 4);
    const match = flag ? /^[01]/.exec(rest) : NUMBER.exec(rest);
    if (!match) throw new Error(`path data: cannot read "${rest.slice(0, 20)}"`);
    list.push(Number(match[0]));
    rest = rest.slice(match[0].length);
    argument += 1;
  }
  return list;
}

/**
 * Absolute pieces of path data drawn at (dx, dy) and scaled by `scale`:
 * [{kind: 'M'|'L'|'A', x, y, rx?, ry?, turn?, large?, sweep?}].
 */
export function piecesOfPath(data, { dx = 0, dy = 0, scale = 1 } = {}) {
  const list = tokens(data);
  const pieces = [];
  let x = 0;
  let y = 0;
  let command = null;
  let i = 0;
  while (i < list.length) {
    if (typeof list[i] === 'string') command = list[i++];
    if (command === null) throw new Error('path data: numbers before any command');
    const upper = command.toUpperCase();
    const relative = command !== upper;
    const args = list.slice(i, i + ARGUMENTS[upper]);
    if (args.length < ARGUMENTS[upper] || args.some((a) => typeof a !== 'number')) throw new Error(`path data: short ${command}`);
    i += ARGUMENTS[upper];
    if (upper === 'M' || upper === 'L') {
      x = relative ? x + args[0] : args[0];
      y = relative ? y + args[1] : args[1];
      pieces.push({ kind: upper, x, y });
      // Pairs after a move are lines.
      if (upper === 'M') command = relative ? 'l' : 'L';
    } else if (upper === 'H') {
      x = relative ? x + args[0] : args[0];
      pieces.push({ kind: 'L', x, y });
    } else if (upper === 'V') {
      y = relative ? y + args[0] : args[0];
      pieces.push({ kind: 'L', x, y });
    } else if (upper === 'A') {
      x = relative ? x + args[5] : args[5];
      y = relative ? y + args[6] : args[6];
      pieces.push({ kind: 'A', x, y, rx: args[0], ry: args[1], turn: args[2], large: args[3], sweep: args[4] });
    } else if (upper === 'Z') {
      throw new Error('path data: Z is never written for strokes');
    }
  }
  return pieces.map((piece) => {
    const placed = { ...piece, x: (piece.x + dx) * scale, y: (piece.y + dy) * scale };
    if (piece.kind === 'A') Object.assign(placed, { rx: piece.rx * scale, ry: piece.ry * scale });
    return placed;
  });
}
