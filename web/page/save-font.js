// The save buttons: the font written as morlune-convert writes it, handed
// to the browser as a download named after the font's file.

const EXTENSIONS = { kqs: '.kqs', kqx: '.kqx', svg: '.svg', jhf: '.jhf', lff: '.lff' };

/**
 * Saves `font` in a format; gives the file's name, its size and what the
 * format could not carry. The encoding is the code page of a shapes font's
 * codes; a font without a name of its own is named after its file, as the
 * converter names it after its output.
 */
export function saveFont(font, format, { fileName, encoding }) {
  const stem = fileName.replace(/\.[^.]*$/, '') || 'font';
  const output = font.exportAs(format, { encoding, name: stem });
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([output.bytes], { type: 'application/octet-stream' }));
  link.download = stem + EXTENSIONS[format];
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  return { name: link.download, size: output.bytes.length, losses: output.losses };
}
