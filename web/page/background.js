// The slow readings of a font, done beside the page so that the grid stays
// quick to scroll meanwhile: the decompiled source text (for the names and
// each glyph's record, cut into records here too) and the checker's findings. The worker loads its own
// copy of the module and is sent the font's bytes.
import { loadMorlune } from '../single.js';
import { indexSource } from './source-records.js';

const ready = loadMorlune();

self.onmessage = async ({ data }) => {
  const { id, compiled, checked, label } = data;
  const morlune = await ready;
  try {
    const font = morlune.openFont(compiled, { format: 'kqx' });
    const index = indexSource(font.decompile());
    font.close();
    const { codes, nameStart, nameEnd, start, end } = index;
    self.postMessage({ id, kind: 'source', index }, [codes.buffer, nameStart.buffer, nameEnd.buffer, start.buffer, end.buffer]);
  } catch (error) {
    self.postMessage({ id, kind: 'source', error: error?.message ?? String(error) });
  }
  try {
    const report = morlune.check(checked, { label });
    const findings = report.findings.map(({ id: findingId, severity, code, line, column, text }) => ({
      id: findingId,
      severity,
      code,
      line,
      column,
      text,
    }));
    self.postMessage({ id, kind: 'check', error: report.error, findings });
  } catch (error) {
    self.postMessage({ id, kind: 'check', failure: error?.message ?? String(error) });
  }
};
