// The checker's findings as a list, each with its glyph's code as a link;
// a font with thousands of findings is shown a page at a time.
import { codeText, escapeText } from './svg-text.js';

const PAGE = 500;

export class FindingsList {
  /** list: the <ol>; count: where the number goes; more: the "Show more" button; onCode(code) follows a link. */
  constructor(list, count, more, onCode) {
    Object.assign(this, { list, count, more, findings: [], shown: 0 });
    more.addEventListener('click', () => this.showMore());
    list.addEventListener('click', (event) => {
      const link = event.target.closest('a[data-code]');
      if (!link) return;
      event.preventDefault();
      onCode(Number(link.dataset.code));
    });
  }

  /** Empties the list, saying why in its count. */
  clear(words) {
    this.findings = [];
    this.shown = 0;
    this.list.textContent = '';
    this.more.hidden = true;
    this.count.textContent = `(${words})`;
  }

  /** error: the checker could not read the font (or null). */
  show(error, findings) {
    this.clear(error ?? String(findings.length));
    this.findings = findings;
    if (findings.length === 0 && !error) this.list.innerHTML = '<li class="none">Nothing found.</li>';
    this.showMore();
  }

  showMore() {
    const until = Math.min(this.findings.length, this.shown + PAGE);
    let html = '';
    for (let i = this.shown; i < until; ++i) {
      const finding = this.findings[i];
      let place = '';
      if (finding.code !== null) {
        place = `<a href="#" data-code="${finding.code}">${codeText(finding.code)}</a> `;
      } else if (finding.line !== null) {
        place = `line ${finding.line}, column ${finding.column}: `;
      }
      const severity = escapeText(finding.severity);
      html += `<li>${place}<span class="${severity}">${severity}</span> ${escapeText(finding.id)}: ${escapeText(finding.text)}</li>`;
    }
    this.list.insertAdjacentHTML('beforeend', html);
    this.shown = until;
    this.more.hidden = until >= this.findings.length;
    this.more.textContent = `Show more (${this.findings.length - until} left)`;
  }
}
